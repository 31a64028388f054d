#include "host/IDeviceFirmwareUpdateService.h"

namespace Plugin::Dorvix {

IDeviceFirmwareUpdateService::IDeviceFirmwareUpdateService(QObject *parent)
    : Core::Service::IService(parent)
{ }

IDeviceFirmwareUpdateService::~IDeviceFirmwareUpdateService() = default;

} // namespace Plugin::Dorvix
