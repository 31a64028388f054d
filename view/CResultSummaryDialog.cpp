#include "view/CResultSummaryDialog.h"

#include "model/CFirmwareUpdateTreeModel.h"
#include "model/CUpdateReport.h"
#include "view/CTreeViewHeaderView.h"
#include "view/CTreeViewLabelDelegate.h"
#include "view/CTreeViewResultDelegate.h"

#include "ui_ResultSummaryDialog.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QResizeEvent>
#include <QStandardPaths>
#include <QUrl>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;

CResultSummaryDialog::CResultSummaryDialog(QWidget *parent)
    : CUpdateDialogBase(parent)
    , m_ui(new Ui::ResultSummaryDialogUi)
{
    m_ui->setupUi(this);
    m_ui->canceledLabel->hide();
    const int pixelSize = applyPageFont();

    setStyleSheet(labelAndButtonStyleSheet(pixelSize));

    m_ui->cameraTreeView->setModel(nullptr);
    m_ui->cameraTreeView->setHeader(new CTreeViewHeaderView);

    // Found by name by tools that drive the wizard in any language.
    m_ui->buttonBox->addButton(tr("Next"), QDialogButtonBox::AcceptRole)
            ->setObjectName(QStringLiteral("nextButton"));
    m_saveReportButton
            = m_ui->buttonBox->addButton(tr("Save report..."), QDialogButtonBox::ActionRole);
    m_saveReportButton->setObjectName(QStringLiteral("saveReportButton"));
    m_retryButton = m_ui->buttonBox->addButton(tr("Retry"), QDialogButtonBox::ActionRole);
    m_retryButton->setObjectName(QStringLiteral("retryButton"));
    m_ui->noticeTextLabel->hide();
    followVisualTabOrder();

    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
            &CResultSummaryDialog::dialogButtonClicked);
}

CResultSummaryDialog::~CResultSummaryDialog()
{
    disconnect(m_ui->buttonBox, &QDialogButtonBox::clicked, this,
               &CResultSummaryDialog::dialogButtonClicked);
    m_ui->cameraTreeView->setModel(nullptr);
    delete m_ui;
}

void CResultSummaryDialog::setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model)
{
    QTreeView *view = m_ui->cameraTreeView;
    if (view->model() != model.data()) {
        view->setModel(model.data());
        for (int column :
             { CFirmwareUpdateEntity::Id, CFirmwareUpdateEntity::SelectionStatus,
               CFirmwareUpdateEntity::SelectedFirmware, CFirmwareUpdateEntity::UpdateDetails,
               CFirmwareUpdateEntity::UpdateStatus, CFirmwareUpdateEntity::Enabled })
            view->setColumnHidden(column, true);
        if (!view->itemDelegateForColumn(CFirmwareUpdateEntity::DisplayName)) {
            auto *labelDelegate = new CTreeViewLabelDelegate(view);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::DisplayName, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::CurrentFirmware, labelDelegate);
            view->setItemDelegateForColumn(CFirmwareUpdateEntity::UpdateResult,
                                           new CTreeViewResultDelegate(view));
        }
        view->setColumnWidth(CFirmwareUpdateEntity::DisplayName, 185);
        view->setColumnWidth(CFirmwareUpdateEntity::CurrentFirmware, 152);
        view->setColumnWidth(CFirmwareUpdateEntity::UpdateResult, 173);
    }
    view->expandAll();
    CUpdateDialogBase::setTreeModel(model);
}

void CResultSummaryDialog::refreshResults()
{
    int failed = 0;
    int ok = 0;
    int skipped = 0;
    if (const QSharedPointer<CFirmwareUpdateTreeModel> model = treeModel())
        model->countUpdateResults(&failed, &ok, &skipped);
    const bool failures = failed > 0;

    for (QLabel *label : { m_ui->infoIconLabel_1, m_ui->infoTextLabel_1, m_ui->infoIconLabel_2,
                           m_ui->infoTextLabel_2 })
        label->setVisible(!failures);
    for (QLabel *label :
         { m_ui->errorIconLabel, m_ui->errorTextLabel, m_ui->infoIconLabel_3, m_ui->infoTextLabel_3,
           m_ui->failedUpdatesLabel, m_ui->skippedUpdatesLabel })
        label->setVisible(failures);
    // A canceled run counts its skipped cameras too, failure or not.
    m_ui->skippedUpdatesLabel->setVisible(failures || skipped > 0);
    m_ui->canceledLabel->setVisible(false);
    m_ui->logLinkSpacer->changeSize(0, failures ? 0 : 16, QSizePolicy::Expanding,
                                    QSizePolicy::Fixed);
    m_ui->contentVerticalLayout->invalidate();

    m_ui->failedUpdatesLabel->setText(tr("Failed updates:") + QLatin1Char(' ')
                                      + QString::number(failed));
    m_ui->successfulUpdatesLabel->setText(tr("Successful updates:") + QLatin1Char(' ')
                                          + QString::number(ok));
    m_ui->skippedUpdatesLabel->setText(tr("Skipped updates:") + QLatin1Char(' ')
                                       + QString::number(skipped));
    if (m_retryButton)
        m_retryButton->setVisible(failed + skipped > 0);
    m_errorMessage.clear();
    setNotice(QString());
    m_ui->cameraTreeView->viewport()->update();
}

void CResultSummaryDialog::setLinks(const QString &supportLink, const QString &logFileLink)
{
    m_logFilePath = logFileLink;
    // A path with blanks, '#' or non-ASCII letters only opens as a file URL.
    const QString logFile
            = QUrl::fromLocalFile(logFileLink).toString(QUrl::FullyEncoded).toHtmlEscaped();
    const QString support = supportLink.toHtmlEscaped();
    // One substitution pass, so a '%' in either address is never taken for a placeholder.
    m_ui->infoTextLabel_3->setText(
            tr("For more information, see the <a href=\"%1\">log file</a>. If you require "
               "assistance, contact the <a href=\"%2\">Stavrik Support</a>.")
                    .arg(logFile, support));
    m_ui->infoTextLabel_2->setText(
            tr("See <a href=\"%1\">log file</a> for more information.").arg(logFile));
}

void CResultSummaryDialog::showLogFileIncomplete(const QString &supportLink,
                                                 const QString &logFilePath)
{
    m_logFilePath = logFilePath;
    const QString path = QDir::toNativeSeparators(logFilePath).toHtmlEscaped();
    const QString notice
            = tr("The log file %1 could not be written and is missing or incomplete.").arg(path);
    m_ui->infoTextLabel_3->setText(
            notice + QLatin1Char(' ')
            + tr("If you require assistance, contact the <a href=\"%1\">Stavrik Support</a>.")
                      .arg(supportLink.toHtmlEscaped()));
    m_ui->infoTextLabel_2->setText(notice);
}

void CResultSummaryDialog::setErrorMessage(const QString &errorMessage, bool noneSkipped)
{
    const QString text = noneSkipped
            ? tr("An error has occurred during the update.<br>Error message: %1.")
            : tr("An error has occurred during the update. The subsequent updates have been "
                 "skipped.<br>Error message: %1.");
    m_ui->errorTextLabel->setText(text.arg(errorMessage.toHtmlEscaped()));
    m_errorMessage = errorMessage;
}

void CResultSummaryDialog::setNotice(const QString &text)
{
    m_ui->noticeTextLabel->setText(text);
    m_ui->noticeTextLabel->setVisible(!text.isEmpty());
}

QString CResultSummaryDialog::defaultReportPath() const
{
    QString baseName = QFileInfo(m_logFilePath).completeBaseName();
    if (baseName.isEmpty())
        baseName = QStringLiteral("OndrelFirmwareUpdaterGUI_")
                + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(baseName + QStringLiteral(".csv"));
}

bool CResultSummaryDialog::saveReport(const QString &filePath)
{
    const QSharedPointer<CFirmwareUpdateTreeModel> model = treeModel();
    const QString reason = model ? Model::CUpdateReport::write(
                                   filePath, Model::CUpdateReport::toCsv(*model, m_errorMessage))
                                 : tr("There is no result to save.");
    const QString nativePath = QDir::toNativeSeparators(filePath);
    setNotice(reason.isEmpty()
                      ? tr("The report has been saved to %1.").arg(nativePath)
                      : tr("The report could not be saved to %1: %2").arg(nativePath, reason));
    return reason.isEmpty();
}

void CResultSummaryDialog::onSaveReportClicked()
{
    QFileDialog dialog(this, tr("Save report"), defaultReportPath(),
                       tr("CSV files") + QStringLiteral(" (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveReport(dialog.selectedFiles().first());
}

void CResultSummaryDialog::showCanceled()
{
    m_ui->canceledLabel->setText(tr("Firmware updates have been canceled by the user."));
    m_ui->canceledLabel->setVisible(true);
}

void CResultSummaryDialog::dialogButtonClicked(QAbstractButton *pButton)
{
    if (!pButton)
        return;
    if (pButton == m_saveReportButton) {
        onSaveReportClicked();
        return;
    }
    if (pButton == m_retryButton) {
        emit retryClicked();
        return;
    }
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

void CResultSummaryDialog::resizeEvent(QResizeEvent *event)
{
    CUpdateDialogBase::resizeEvent(event);
    if (!event)
        return;
    resizeColumnsProportionally(m_ui->cameraTreeView,
                                { { CFirmwareUpdateEntity::DisplayName, 185 },
                                  { CFirmwareUpdateEntity::CurrentFirmware, 152 } },
                                CFirmwareUpdateEntity::UpdateResult);
}

void CResultSummaryDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        for (QAbstractButton *button : m_ui->buttonBox->buttons()) {
            if (m_ui->buttonBox->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->setText(tr("Next"));
        }
        if (m_saveReportButton)
            m_saveReportButton->setText(tr("Save report..."));
        if (m_retryButton)
            m_retryButton->setText(tr("Retry"));
    }
    CUpdateDialogBase::changeEvent(event);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
