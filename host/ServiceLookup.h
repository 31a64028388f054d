#pragma once

#include "host/IServiceRegistry.h"

#include <QPointer>
#include <QReadLocker>
#include <QSharedPointer>

namespace Core::Service {

// Every published service that casts to T, in registry order. A missing or
// destroyed registry has none.
template<typename T>
QList<QSharedPointer<T>> findServices(const QPointer<IServiceRegistry> &registry)
{
    QList<QSharedPointer<T>> found;
    IServiceRegistry *r = registry.data();
    if (!r)
        return found;
    QReadLocker locker(r->lock());
    const QList<QSharedPointer<IService>> all = r->services();
    for (const QSharedPointer<IService> &service : all) {
        QSharedPointer<T> cast = service.template dynamicCast<T>();
        if (cast)
            found.append(cast);
    }
    return found;
}

// The first published service that casts to T, or null.
template<typename T>
QSharedPointer<T> findService(const QPointer<IServiceRegistry> &registry)
{
    const QList<QSharedPointer<T>> found = findServices<T>(registry);
    return found.isEmpty() ? QSharedPointer<T>() : found.first();
}

} // namespace Core::Service
