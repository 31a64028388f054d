#pragma once

#include "host/IDeviceFirmwareUpdate.h"

#include <QThread>

namespace Plugin::FirmwareUpdater::Internal::State {

// Runs one camera's blocking host update on a worker thread and re-emits the
// host's progress signals on the thread that owns this object (the UI thread),
// in the order the host emitted them and before finished().
class CFirmwareUpdateThread : public QThread
{
    Q_OBJECT

public:
    explicit CFirmwareUpdateThread(QObject *parent);
    ~CFirmwareUpdateThread() override;

    // Ignored while running or for the update already stored; otherwise the
    // update is stored and moved to this thread.
    void setFirmwareUpdate(Plugin::Dorvix::DeviceFirmwareUpdatePtr update);

signals:
    void firmwareUpdateBegin(QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> firmwareUpdateInfo,
                             uint estimatedDuration);
    void firmwareUpdateProgressStepBegin(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                         uint estimatedUpdateTime, QString description);
    void firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                                   double progressPercentDone);
    void firmwareUpdateProgressStepDone(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                        uint estimatedUpdateTime);
    void firmwareUpdateDone();
    void firmwareUpdateError(QString errorMessage);

protected:
    void run() override;

private:
    Plugin::Dorvix::DeviceFirmwareUpdatePtr m_update;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
