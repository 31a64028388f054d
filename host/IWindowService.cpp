#include "host/IWindowService.h"

namespace Plugin::Vantor {

IWindowService::IWindowService(QObject *parent)
    : Core::Service::IService(parent)
{ }

IWindowService::~IWindowService() = default;

} // namespace Plugin::Vantor
