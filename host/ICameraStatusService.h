#pragma once

#include "host/ICameraInfo.h"
#include "host/IService.h"

namespace Plugin::Dorvix {

class HOST_EXPORT ICameraStatusService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit ICameraStatusService(QObject *parent = nullptr);
    ~ICameraStatusService() override;

    // True while the camera acquires continuously or records.
    virtual bool isCameraBusy(Core::DorvixComponents::CameraInfoPtr camera) const = 0;
};

} // namespace Plugin::Dorvix
