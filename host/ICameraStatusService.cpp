#include "host/ICameraStatusService.h"

namespace Plugin::Dorvix {

ICameraStatusService::ICameraStatusService(QObject *parent)
    : Core::Service::IService(parent)
{ }

ICameraStatusService::~ICameraStatusService() = default;

} // namespace Plugin::Dorvix
