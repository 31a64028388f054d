#include "view/CFirmwareUpdateDialog.h"

#include "model/CFirmwareUpdateTreeModel.h"
#include "view/CTreeViewHeaderView.h"
#include "view/CTreeViewLabelDelegate.h"
#include "view/CTreeViewStatusDelegate.h"

#include "ui_FirmwareUpdateDialog.h"

#include <QPushButton>
#include <QResizeEvent>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;

CFirmwareUpdateDialog::CFirmwareUpdateDialog(QWidget *parent)
    : CUpdateDialogBase(parent)
    , m_ui(new Ui::FirmwareUpdateDialogUi)
{
    m_ui->setupUi(this);
    const int pixelSize = applyPageFont();

    m_ui->cameraTreeView->setModel(nullptr);
    m_ui->cameraTreeView->setHeader(new CTreeViewHeaderView);

    m_cancelButton = m_ui->buttonBox->button(QDialogButtonBox::Cancel);

    setStyleSheet(labelStyleSheet(pixelSize));
    const QFont bold = boldPageFont();
    m_ui->stepTitleLabel->setFont(bold);
    m_ui->progressLabel->setFont(bold);

    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
            &CFirmwareUpdateDialog::dialogButtonClicked);
}

CFirmwareUpdateDialog::~CFirmwareUpdateDialog()
{
    disconnect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
               &CFirmwareUpdateDialog::dialogButtonClicked);
    m_ui->cameraTreeView->setModel(nullptr);
    delete m_ui;
}

void CFirmwareUpdateDialog::setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model)
{
    QTreeView *view = m_ui->cameraTreeView;
    if (view->model() != model.data()) {
        view->setModel(model.data());
        for (int column : { CFirmwareUpdateEntity::Id, CFirmwareUpdateEntity::SelectionStatus,
                            CFirmwareUpdateEntity::UpdateDetails,
                            CFirmwareUpdateEntity::UpdateResult, CFirmwareUpdateEntity::Enabled })
            view->setColumnHidden(column, true);
        if (!view->itemDelegateForColumn(CFirmwareUpdateEntity::DisplayName)) {
            auto *labelDelegate = new CTreeViewLabelDelegate(view);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::DisplayName, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::CurrentFirmware, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::SelectedFirmware, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::UpdateStatus,
                                           new CTreeViewStatusDelegate(view));
        }
        view->setColumnWidth(CFirmwareUpdateEntity::DisplayName, 94);
        view->setColumnWidth(CFirmwareUpdateEntity::CurrentFirmware, 142);
        view->setColumnWidth(CFirmwareUpdateEntity::SelectedFirmware, 148);
        view->setColumnWidth(CFirmwareUpdateEntity::UpdateStatus, 126);
    }
    view->expandAll();
    CUpdateDialogBase::setTreeModel(model);
}

void CFirmwareUpdateDialog::setCancelEnabled(bool enabled)
{
    if (m_cancelButton) {
        m_cancelButton->setEnabled(enabled);
        m_cancelButton->setDefault(enabled);
    }
    Qt::WindowFlags flags
            = Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    if (enabled)
        flags |= Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    show();
}

void CFirmwareUpdateDialog::setProgressText(int current, int total)
{
    m_ui->progressIndicatorLabel->setText(QStringLiteral("%1/%2").arg(current).arg(total));
}

void CFirmwareUpdateDialog::setProgress(int value, int maximum)
{
    m_ui->progressBar->setMinimum(0);
    m_ui->progressBar->setMaximum(maximum);
    m_ui->progressBar->setValue(value);
}

void CFirmwareUpdateDialog::showFinishingCurrentCamera()
{
    m_ui->infoTextLabel_2->setText(tr("The update of the camera currently being updated is being "
                                      "completed. Then the Firmware Updater closes."));
}

void CFirmwareUpdateDialog::dialogButtonClicked(QAbstractButton *pButton)
{
    if (pButton && m_ui->buttonBox->buttonRole(pButton) == QDialogButtonBox::RejectRole)
        emit closeClicked();
}

void CFirmwareUpdateDialog::resizeEvent(QResizeEvent *event)
{
    CUpdateDialogBase::resizeEvent(event);
    if (!event)
        return;
    resizeColumnsProportionally(m_ui->cameraTreeView,
                                { { CFirmwareUpdateEntity::DisplayName, 94 },
                                  { CFirmwareUpdateEntity::CurrentFirmware, 142 },
                                  { CFirmwareUpdateEntity::SelectedFirmware, 148 } },
                                CFirmwareUpdateEntity::UpdateStatus);
}

void CFirmwareUpdateDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    CUpdateDialogBase::changeEvent(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
