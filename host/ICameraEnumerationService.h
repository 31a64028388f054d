#pragma once

#include "host/IService.h"
#include "host/ITransportLayerInfo.h"

namespace Plugin::Dorvix {

class HOST_EXPORT ICameraEnumerationService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit ICameraEnumerationService(QObject *parent = nullptr);
    ~ICameraEnumerationService() override;

    virtual QVector<TransportLayerInfoPtr> transportLayers() const = 0;
    // Asynchronous: the new enumeration is announced by enumerationChanged().
    virtual void refreshEnumeration() = 0;

signals:
    void enumerationChanged();
};

} // namespace Plugin::Dorvix
