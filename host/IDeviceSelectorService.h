#pragma once

#include "host/IDeviceBaseInfo.h"
#include "host/IService.h"

namespace Plugin::Lintrel {

class HOST_EXPORT IDeviceSelectorService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit IDeviceSelectorService(QObject *parent = nullptr);
    ~IDeviceSelectorService() override;

signals:
    // The device now picked in the camera selector, or null.
    void selectionChanged(Core::DorvixComponents::DeviceBaseInfoPtr device);
};

} // namespace Plugin::Lintrel
