#pragma once

#include "view/CUpdateDialogBase.h"

class QPushButton;

namespace Ui {
class CameraSelectionDialogUi;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// Page 1: the camera tree, sorted through a proxy, with a check box per
// camera model and camera, and a button to enumerate the cameras again.
class CCameraSelectionDialog : public CUpdateDialogBase
{
    Q_OBJECT

public:
    explicit CCameraSelectionDialog(QWidget *parent = nullptr);
    ~CCameraSelectionDialog() override;

    void setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel> model) override;
    virtual void setNextEnabled(bool enabled);

signals:
    void nextClicked();
    void refreshCamTreeClicked();

public slots:
    void dialogButtonClicked(QAbstractButton *pButton) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Ui::CameraSelectionDialogUi *m_ui = nullptr;
    QPushButton *m_nextButton = nullptr;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
