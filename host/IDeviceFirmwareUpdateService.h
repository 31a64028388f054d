#pragma once

#include "host/ICameraInfo.h"
#include "host/IDeviceFirmwareUpdate.h"
#include "host/IService.h"

namespace Plugin::Dorvix {

class HOST_EXPORT IDeviceFirmwareUpdateService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit IDeviceFirmwareUpdateService(QObject *parent = nullptr);
    ~IDeviceFirmwareUpdateService() override;

    // Null unless info fits the camera.
    virtual DeviceFirmwareUpdatePtr
    createFirmwareUpdate(Core::DorvixComponents::CameraInfoPtr camera,
                         QSharedPointer<IFirmwareUpdateInfo> info)
            = 0;
    // Fills compatible with the infos that fit the camera; false when the
    // check itself failed.
    virtual bool findCompatibleUpdates(Core::DorvixComponents::CameraInfoPtr camera,
                                       const QVector<QSharedPointer<IFirmwareUpdateInfo>> &infos,
                                       QVector<QSharedPointer<IFirmwareUpdateInfo>> &compatible,
                                       bool &flag)
            = 0;
    // Throws Core::Exception::BaseException when the file cannot be read.
    virtual QVector<QSharedPointer<IFirmwareUpdateInfo>> readUpdateFile(const QString &filePath,
                                                                        const QString &second)
            = 0;
};

} // namespace Plugin::Dorvix
