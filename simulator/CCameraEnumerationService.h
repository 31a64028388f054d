#pragma once

#include "host/ICameraEnumerationService.h"

#include <QPointer>

namespace Simulator {

class CCameraPool;

class CCameraEnumerationService : public Plugin::Dorvix::ICameraEnumerationService
{
    Q_OBJECT

public:
    explicit CCameraEnumerationService(CCameraPool *pool);
    ~CCameraEnumerationService() override;

    QVector<Plugin::Dorvix::TransportLayerInfoPtr> transportLayers() const override;
    // Announces the enumeration from the event loop, as the viewer does.
    void refreshEnumeration() override;

private:
    QPointer<CCameraPool> m_pool;
};

} // namespace Simulator
