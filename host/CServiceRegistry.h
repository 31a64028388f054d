#pragma once

#include "host/IServiceRegistry.h"

#include <QReadWriteLock>

namespace Core::Service {

// The host's registry: services in the order they were added.
class HOST_EXPORT CServiceRegistry : public IServiceRegistry
{
    Q_OBJECT

public:
    explicit CServiceRegistry(QObject *parent = nullptr);
    ~CServiceRegistry() override;

    // Adding a service that is already present keeps one entry.
    void addService(QSharedPointer<IService> service) override;
    void removeService(QSharedPointer<IService> service) override;
    QList<QSharedPointer<IService>> services() const override;
    QReadWriteLock *lock() override;

private:
    QList<QSharedPointer<IService>> m_services;
    QReadWriteLock m_lock;
};

} // namespace Core::Service
