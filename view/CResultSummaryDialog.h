#pragma once

#include "view/CUpdateDialogBase.h"

#include <QPointer>

class QPushButton;

namespace Ui {
class ResultSummaryDialogUi;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Page 5: the result of every update, the counts, the error after a failure
// and the links to the run's log file and to the support page.
class CResultSummaryDialog : public CUpdateDialogBase
{
    Q_OBJECT

public:
    explicit CResultSummaryDialog(QWidget *parent = nullptr);
    ~CResultSummaryDialog() override;

    void setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model) override;
    void refreshResults();
    // logFileLink is a local path; the link is built from it.
    void setLinks(const QString &supportLink, const QString &logFileLink);
    // Instead of the links: the log at that path is missing or incomplete, so
    // it is named but not offered.
    void showLogFileIncomplete(const QString &supportLink, const QString &logFilePath);
    // The message is shown literally, never as markup.
    void setErrorMessage(const QString &errorMessage, bool noneSkipped);
    // A plain-text note under the rows (report saved, retry not possible);
    // hidden when empty.
    void setNotice(const QString &text);
    // Writes the run's report to filePath and says on the page how it went;
    // true when written.
    bool saveReport(const QString &filePath);
    // Beside the run's log, named like it, in the user's documents folder.
    QString defaultReportPath() const;
    // Says that the user stopped the run; refreshResults() hides it again.
    void showCanceled();

signals:
    void nextClicked();
    void retryClicked();

public slots:
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void onSaveReportClicked();

    Ui::ResultSummaryDialogUi *m_ui = nullptr;
    QPointer<QPushButton> m_saveReportButton;
    QPointer<QPushButton> m_retryButton;
    QString m_logFilePath;
    QString m_errorMessage;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
