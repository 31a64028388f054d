#pragma once

#include "host/IService.h"

namespace Plugin::Dorvix {

class HOST_EXPORT ICameraStreamControlService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit ICameraStreamControlService(QObject *parent = nullptr);
    ~ICameraStreamControlService() override;

    // Stops every acquisition and recording.
    virtual void stopAllCameras() = 0;
};

} // namespace Plugin::Dorvix
