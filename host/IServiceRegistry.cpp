#include "host/IServiceRegistry.h"

namespace Core::Service {

IServiceRegistry::IServiceRegistry(QObject *parent)
    : QObject(parent)
{ }

IServiceRegistry::~IServiceRegistry() = default;

} // namespace Core::Service
