#pragma once

#include "view/CUpdateDialogBase.h"

class QPushButton;
class QSpacerItem;
class QWidget;

namespace Ui {
class UpdateSummaryDialogUi;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Page 3: the planned updates with current and selected firmware and their
// direction, the downgrade and reinstall warnings, and the start of the run.
class CUpdateSummaryDialog : public CUpdateDialogBase
{
    Q_OBJECT

public:
    explicit CUpdateSummaryDialog(QWidget *parent = nullptr);
    ~CUpdateSummaryDialog() override;

    void setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model) override;
    virtual void setNextEnabled(bool enabled);
    void setDowngradeWarningVisible(bool visible);
    void setReinstallWarningVisible(bool visible);

signals:
    void backClicked();
    void nextClicked();

public slots:
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setWarningRowVisible(QWidget *icon, QWidget *text, QSpacerItem *spacer, bool visible);

    Ui::UpdateSummaryDialogUi *m_ui = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_nextButton = nullptr;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
