#pragma once

#include "view/CUpdateDialogBase.h"

class QPushButton;

namespace Ui {
class FirmwareUpdateDialogUi;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Page 4: the running updates with a live status per camera, the camera
// counter and the progress bar. The updating state drives every change.
class CFirmwareUpdateDialog : public CUpdateDialogBase
{
    Q_OBJECT

public:
    explicit CFirmwareUpdateDialog(QWidget *parent = nullptr);
    ~CFirmwareUpdateDialog() override;

    void setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model) override;
    // Also offers or withdraws the window's close button; shows the page
    // again, as changing the window flags hides it.
    void setCancelEnabled(bool enabled);
    void setProgressText(int current, int total);
    // A maximum of 0 turns the bar into a busy indicator.
    void setProgress(int value, int maximum);
    // Says in the information row that the wizard ends once the camera being
    // updated is complete.
    void showFinishingCurrentCamera();

public slots:
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Ui::FirmwareUpdateDialogUi *m_ui = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
