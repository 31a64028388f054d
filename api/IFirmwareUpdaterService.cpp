#include "api/IFirmwareUpdaterService.h"

namespace Plugin::FirmwareUpdater {

IFirmwareUpdaterService::IFirmwareUpdaterService(QObject *parent)
    : Core::Service::IService(parent)
{ }

IFirmwareUpdaterService::~IFirmwareUpdaterService() = default;

} // namespace Plugin::FirmwareUpdater
