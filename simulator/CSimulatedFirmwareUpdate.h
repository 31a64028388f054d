#pragma once

#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedFirmwareUpdateInfo.h"

#include "host/IDeviceFirmwareUpdate.h"

namespace Simulator {

// Installs one update on one simulated camera. runUpdate() blocks in the
// calling thread and sleeps each phase's estimate times the time scale.
// Camera and info must not be null.
class CSimulatedFirmwareUpdate : public Plugin::Dorvix::IDeviceFirmwareUpdate
{
    Q_OBJECT

public:
    CSimulatedFirmwareUpdate(SimulatedCameraPtr camera, SimulatedFirmwareUpdateInfoPtr info,
                             double timeScale, QObject *parent = nullptr);
    ~CSimulatedFirmwareUpdate() override;

    QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> firmwareUpdateInfo() const override;
    // Planned against the firmware installed when this update was created.
    Plugin::Dorvix::EFirmwareUpdateDirection direction() const override;
    QString currentFirmwareVersion() const override;
    // What the device reports now.
    QString deviceFirmwareVersion() const override;
    void runUpdate() override;

    // Dotted version numbers compared numerically ("1.10" is newer than
    // "1.9", "1.2" equals "1.2.0"); NotDetermined when either is unparseable.
    static Plugin::Dorvix::EFirmwareUpdateDirection directionFor(const QString &installed,
                                                                 const QString &offered);

private:
    void simulateWork(unsigned int estimatedMs) const;
    // The estimate as reported to the viewer: the time the work will really take.
    unsigned int reportedMs(unsigned int estimatedMs) const;

    const SimulatedCameraPtr m_camera;
    const SimulatedFirmwareUpdateInfoPtr m_info;
    const double m_timeScale;
    const QString m_installedVersion;
    const Plugin::Dorvix::EFirmwareUpdateDirection m_direction;
};

} // namespace Simulator
