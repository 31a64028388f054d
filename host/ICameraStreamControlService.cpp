#include "host/ICameraStreamControlService.h"

namespace Plugin::Dorvix {

ICameraStreamControlService::ICameraStreamControlService(QObject *parent)
    : Core::Service::IService(parent)
{ }

ICameraStreamControlService::~ICameraStreamControlService() = default;

} // namespace Plugin::Dorvix
