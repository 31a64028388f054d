#pragma once

#include "host/IDeviceFirmwareUpdateService.h"

#include <QPointer>

namespace Simulator {

class CCameraPool;

// Reads the simulator's update files and makes update objects for the pool's
// cameras.
class CDeviceFirmwareUpdateService : public Plugin::Dorvix::IDeviceFirmwareUpdateService
{
    Q_OBJECT

public:
    explicit CDeviceFirmwareUpdateService(CCameraPool *pool);
    ~CDeviceFirmwareUpdateService() override;

    // Null for a camera the pool does not know, an info that is not the
    // simulator's, or an update that does not fit the camera.
    Plugin::Dorvix::DeviceFirmwareUpdatePtr
    createFirmwareUpdate(Core::DorvixComponents::CameraInfoPtr camera,
                         QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> info) override;
    // compatible is replaced by the fitting infos in their order; false only
    // for a null camera.
    bool
    findCompatibleUpdates(Core::DorvixComponents::CameraInfoPtr camera,
                          const QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> &infos,
                          QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> &compatible,
                          bool &flag) override;
    QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>>
    readUpdateFile(const QString &filePath, const QString &second) override;

private:
    QPointer<CCameraPool> m_pool;
};

} // namespace Simulator
