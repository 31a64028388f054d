#pragma once

#include "host/IDeviceBaseInfo.h"

namespace Core::DorvixComponents {

class HOST_EXPORT ICameraInfo : public IDeviceBaseInfo
{
public:
    ~ICameraInfo() override;

    QString displayName() const override = 0;
    QString id() const override = 0;
    // 0 means the camera may be updated.
    virtual quint32 statusCode() const = 0;
    virtual QString detailText() const = 0;
    virtual QString transportLayerId() const = 0;
    virtual QString currentFirmwareVersion() const = 0;
    virtual QString modelName() const = 0;
    virtual QString secondaryName() const = 0;
};

using CameraInfoPtr = QSharedPointer<ICameraInfo>;

} // namespace Core::DorvixComponents

Q_DECLARE_METATYPE(Core::DorvixComponents::CameraInfoPtr)
