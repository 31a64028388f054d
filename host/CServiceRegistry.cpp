#include "host/CServiceRegistry.h"

namespace Core::Service {

CServiceRegistry::CServiceRegistry(QObject *parent)
    : IServiceRegistry(parent)
{ }

CServiceRegistry::~CServiceRegistry() = default;

void CServiceRegistry::addService(QSharedPointer<IService> service)
{
    if (service.isNull())
        return;
    QWriteLocker locker(&m_lock);
    if (!m_services.contains(service))
        m_services.append(service);
}

void CServiceRegistry::removeService(QSharedPointer<IService> service)
{
    QWriteLocker locker(&m_lock);
    m_services.removeAll(service);
}

// Callers hold the read lock while they walk the list; the copy keeps the walk
// safe even when a service is withdrawn meanwhile.
QList<QSharedPointer<IService>> CServiceRegistry::services() const
{
    return m_services;
}

QReadWriteLock *CServiceRegistry::lock()
{
    return &m_lock;
}

} // namespace Core::Service
