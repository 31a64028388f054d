#pragma once

#include "host/IService.h"

#include <QList>
#include <QSharedPointer>

class QReadWriteLock;

namespace Core::Service {

class HOST_EXPORT IServiceRegistry : public QObject
{
    Q_OBJECT

public:
    explicit IServiceRegistry(QObject *parent = nullptr);
    ~IServiceRegistry() override;

    virtual void addService(QSharedPointer<IService> service) = 0;
    virtual void removeService(QSharedPointer<IService> service) = 0;
    virtual QList<QSharedPointer<IService>> services() const = 0;
    virtual QReadWriteLock *lock() = 0;
};

} // namespace Core::Service
