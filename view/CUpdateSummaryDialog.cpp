#include "view/CUpdateSummaryDialog.h"

#include "model/CFirmwareUpdateTreeModel.h"
#include "view/CTreeViewCameraSelectionDelegate.h"
#include "view/CTreeViewDetailsDelegate.h"
#include "view/CTreeViewHeaderView.h"
#include "view/CTreeViewLabelDelegate.h"

#include "ui_UpdateSummaryDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QResizeEvent>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;

CUpdateSummaryDialog::CUpdateSummaryDialog(QWidget *parent)
    : CUpdateDialogBase(parent)
    , m_ui(new Ui::UpdateSummaryDialogUi)
{
    m_ui->setupUi(this);
    const int pixelSize = applyPageFont();

    m_ui->cameraTreeView->setModel(nullptr);
    m_ui->cameraTreeView->setHeader(new CTreeViewHeaderView);

    m_backButton = m_ui->buttonBox->addButton(tr("Back"), QDialogButtonBox::AcceptRole);
    m_nextButton = m_ui->buttonBox->addButton(tr("Next"), QDialogButtonBox::DestructiveRole);
    // Found by name by tools that drive the wizard in any language.
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    m_nextButton->setDefault(true);
    followVisualTabOrder();
    keepDefaultOffWhileDisabled(m_nextButton);
    m_nextButton->installEventFilter(this);

    setStyleSheet(labelAndButtonStyleSheet(pixelSize));

    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
            &CUpdateSummaryDialog::dialogButtonClicked);
}

CUpdateSummaryDialog::~CUpdateSummaryDialog()
{
    disconnect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
               &CUpdateSummaryDialog::dialogButtonClicked);
    m_ui->cameraTreeView->setModel(nullptr);
    delete m_ui;
}

void CUpdateSummaryDialog::setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model)
{
    QTreeView *view = m_ui->cameraTreeView;
    if (view->model() != model.data()) {
        view->setModel(model.data());
        for (int column : { CFirmwareUpdateEntity::Id, CFirmwareUpdateEntity::SelectionStatus,
                            CFirmwareUpdateEntity::UpdateStatus,
                            CFirmwareUpdateEntity::UpdateResult, CFirmwareUpdateEntity::Enabled })
            view->setColumnHidden(column, true);
        if (!view->itemDelegateForColumn(CFirmwareUpdateEntity::DisplayName)) {
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::DisplayName,
                                           new CTreeViewCameraSelectionDelegate(view));
            auto *labelDelegate = new CTreeViewLabelDelegate(view);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::CurrentFirmware, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::SelectedFirmware, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::UpdateDetails,
                                           new CTreeViewDetailsDelegate(view));
        }
        view->setColumnWidth(CFirmwareUpdateEntity::DisplayName, 115);
        view->setColumnWidth(CFirmwareUpdateEntity::CurrentFirmware, 142);
        view->setColumnWidth(CFirmwareUpdateEntity::SelectedFirmware, 148);
        view->setColumnWidth(CFirmwareUpdateEntity::UpdateDetails, 105);
    }
    view->expandAll();
    CUpdateDialogBase::setTreeModel(model);
}

void CUpdateSummaryDialog::setNextEnabled(bool enabled)
{
    if (!m_nextButton)
        return;
    m_nextButton->setEnabled(enabled);
    m_nextButton->setDefault(enabled);
}

void CUpdateSummaryDialog::setDowngradeWarningVisible(bool visible)
{
    setWarningRowVisible(m_ui->warningIconLabel_1, m_ui->warningTextLabel_1,
                         m_ui->downgradeWarningSpacer, visible);
}

void CUpdateSummaryDialog::setReinstallWarningVisible(bool visible)
{
    setWarningRowVisible(m_ui->warningIconLabel_2, m_ui->warningTextLabel_2,
                         m_ui->reinstallWarningSpacer, visible);
}

void CUpdateSummaryDialog::setWarningRowVisible(QWidget *icon, QWidget *text, QSpacerItem *spacer,
                                                bool visible)
{
    icon->setVisible(visible);
    text->setVisible(visible);
    spacer->changeSize(0, visible ? 13 : 0, QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_ui->contentVerticalLayout->invalidate();
}

void CUpdateSummaryDialog::dialogButtonClicked(QAbstractButton *pButton)
{
    if (!pButton)
        return;
    switch (m_ui->buttonBox->buttonRole(pButton)) {
    case QDialogButtonBox::AcceptRole:
        emit backClicked();
        break;
    case QDialogButtonBox::DestructiveRole:
        if (!nextTooEarly())
            emit nextClicked();
        break;
    case QDialogButtonBox::RejectRole:
        emit closeClicked();
        break;
    default:
        break;
    }
}

void CUpdateSummaryDialog::resizeEvent(QResizeEvent *event)
{
    CUpdateDialogBase::resizeEvent(event);
    if (!event)
        return;
    resizeColumnsProportionally(m_ui->cameraTreeView,
                                { { CFirmwareUpdateEntity::DisplayName, 115 },
                                  { CFirmwareUpdateEntity::CurrentFirmware, 142 },
                                  { CFirmwareUpdateEntity::SelectedFirmware, 148 } },
                                CFirmwareUpdateEntity::UpdateDetails);
}

void CUpdateSummaryDialog::showEvent(QShowEvent *event)
{
    CUpdateDialogBase::showEvent(event);
    m_shownClock.start();
}

void CUpdateSummaryDialog::keyPressEvent(QKeyEvent *event)
{
    if (isHeldEnter(event))
        return;
    CUpdateDialogBase::keyPressEvent(event);
}

bool CUpdateSummaryDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_nextButton && isHeldEnter(event))
        return true;
    return CUpdateDialogBase::eventFilter(watched, event);
}

bool CUpdateSummaryDialog::nextTooEarly() const
{
    return m_shownClock.isValid() && m_shownClock.elapsed() < QApplication::doubleClickInterval();
}

bool CUpdateSummaryDialog::isHeldEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

void CUpdateSummaryDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        if (m_backButton)
            m_backButton->setText(tr("Back"));
        if (m_nextButton)
            m_nextButton->setText(tr("Next"));
    }
    CUpdateDialogBase::changeEvent(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
