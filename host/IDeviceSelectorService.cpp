#include "host/IDeviceSelectorService.h"

namespace Plugin::Lintrel {

IDeviceSelectorService::IDeviceSelectorService(QObject *parent)
    : Core::Service::IService(parent)
{ }

IDeviceSelectorService::~IDeviceSelectorService() = default;

} // namespace Plugin::Lintrel
