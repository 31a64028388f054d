#include "host/IMenuService.h"

namespace Plugin::Vantor {

IMenuService::IMenuService(QObject *parent)
    : Core::Service::IService(parent)
{ }

IMenuService::~IMenuService() = default;

} // namespace Plugin::Vantor
