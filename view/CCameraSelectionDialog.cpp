#include "view/CCameraSelectionDialog.h"

#include "model/CFirmwareUpdateTreeModel.h"
#include "view/CNumericSortProxyModel.h"
#include "view/CTreeViewCameraSelectionDelegate.h"
#include "view/CTreeViewHeaderView.h"

#include "ui_CameraSelectionDialog.h"

#include <QPushButton>
#include <QSortFilterProxyModel>

namespace Plugin::FirmwareUpdater::Internal::View {

CCameraSelectionDialog::CCameraSelectionDialog(QWidget *parent)
    : CUpdateDialogBase(parent)
    , m_ui(new Ui::CameraSelectionDialogUi)
{
    m_ui->setupUi(this);
    const int pixelSize = applyPageFont();

    m_nextButton = m_ui->buttonBox->addButton(tr("Next"), QDialogButtonBox::AcceptRole);
    // Found by name by tools that drive the wizard in any language.
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    m_nextButton->setDefault(true);
    followVisualTabOrder();
    keepDefaultOffWhileDisabled(m_nextButton);

    m_ui->cameraTreeView->setModel(nullptr);
    m_ui->cameraTreeView->setHeader(new CTreeViewHeaderView);

    setStyleSheet(labelAndButtonStyleSheet(pixelSize));
    m_ui->stepTitleLabel->setFont(boldPageFont());

    connect(m_ui->refreshButton, &QPushButton::clicked, this,
            &CCameraSelectionDialog::refreshCamTreeClicked);
    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
            &CCameraSelectionDialog::dialogButtonClicked);
}

CCameraSelectionDialog::~CCameraSelectionDialog()
{
    disconnect(m_ui->refreshButton, &QPushButton::clicked, this,
               &CCameraSelectionDialog::refreshCamTreeClicked);
    disconnect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
               &CCameraSelectionDialog::dialogButtonClicked);
    m_ui->cameraTreeView->setModel(nullptr);
    delete m_ui;
}

void CCameraSelectionDialog::setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model)
{
    QTreeView *view = m_ui->cameraTreeView;
    auto *proxy = qobject_cast<QSortFilterProxyModel *>(view->model());
    if (!proxy) {
        proxy = new CNumericSortProxyModel(view);
        proxy->setSourceModel(model.data());
        view->setModel(proxy);
        for (int column = 1; column <= 8; ++column)
            view->setColumnHidden(column, true);
        view->setItemDelegateForColumn(0, new CTreeViewCameraSelectionDelegate(view));
    } else if (proxy->sourceModel() != model.data()) {
        // The service refills one model object; should it ever hand over
        // another, the view must not keep showing the one the page let go.
        proxy->setSourceModel(model.data());
    }
    view->expandAll();
    view->sortByColumn(0, Qt::AscendingOrder);
    CUpdateDialogBase::setTreeModel(model);
}

void CCameraSelectionDialog::setNextEnabled(bool enabled)
{
    if (!m_nextButton)
        return;
    m_nextButton->setEnabled(enabled);
    m_nextButton->setDefault(enabled);
}

void CCameraSelectionDialog::dialogButtonClicked(QAbstractButton *pButton)
{
    if (!pButton)
        return;
    switch (m_ui->buttonBox->buttonRole(pButton)) {
    case QDialogButtonBox::AcceptRole:
        emit nextClicked();
        break;
    case QDialogButtonBox::RejectRole:
        emit closeClicked();
        break;
    default:
        break;
    }
}

void CCameraSelectionDialog::resizeEvent(QResizeEvent *event)
{
    CUpdateDialogBase::resizeEvent(event);
    m_ui->cameraTreeView->setColumnWidth(0, m_ui->cameraTreeView->width());
}

void CCameraSelectionDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        if (m_nextButton)
            m_nextButton->setText(tr("Next"));
    }
    CUpdateDialogBase::changeEvent(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
