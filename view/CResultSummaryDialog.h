#pragma once

#include "view/CUpdateDialogBase.h"

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
    // Says that the user stopped the run; refreshResults() hides it again.
    void showCanceled();

signals:
    void nextClicked();

public slots:
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Ui::ResultSummaryDialogUi *m_ui = nullptr;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
