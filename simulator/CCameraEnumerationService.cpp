#include "simulator/CCameraEnumerationService.h"

#include "simulator/CCameraPool.h"

namespace Simulator {

CCameraEnumerationService::CCameraEnumerationService(CCameraPool *pool)
    : m_pool(pool)
{ }

CCameraEnumerationService::~CCameraEnumerationService() = default;

QVector<Plugin::Dorvix::TransportLayerInfoPtr> CCameraEnumerationService::transportLayers() const
{
    return m_pool ? m_pool->transportLayers() : QVector<Plugin::Dorvix::TransportLayerInfoPtr>();
}

void CCameraEnumerationService::refreshEnumeration()
{
    QMetaObject::invokeMethod(
            this, [this]() { emit enumerationChanged(); }, Qt::QueuedConnection);
}

} // namespace Simulator
