#pragma once

#include "host/ICameraInfo.h"

#include <QVector>

namespace Plugin::Dorvix {

// One transport layer (an interface the cameras are reached through).
class HOST_EXPORT ITransportLayerInfo
{
public:
    virtual ~ITransportLayerInfo();

    virtual QVector<Core::DorvixComponents::CameraInfoPtr> cameras() const = 0;
    virtual QString displayName() const = 0;
    virtual QString id() const = 0;
};

using TransportLayerInfoPtr = QSharedPointer<ITransportLayerInfo>;

} // namespace Plugin::Dorvix

Q_DECLARE_METATYPE(Plugin::Dorvix::TransportLayerInfoPtr)
