#pragma once

#include "host/ITransportLayerInfo.h"

namespace Simulator {

// A transport layer of the pool. Changed by the pool on the UI thread only.
class CSimulatedTransportLayer : public Plugin::Dorvix::ITransportLayerInfo
{
public:
    CSimulatedTransportLayer(const QString &id, const QString &displayName);
    ~CSimulatedTransportLayer() override;

    QVector<Core::DorvixComponents::CameraInfoPtr> cameras() const override;
    QString displayName() const override;
    QString id() const override;

    void addCamera(const Core::DorvixComponents::CameraInfoPtr &camera);
    bool removeCamera(const QString &cameraId);

private:
    const QString m_id;
    const QString m_displayName;
    QVector<Core::DorvixComponents::CameraInfoPtr> m_cameras;
};

using SimulatedTransportLayerPtr = QSharedPointer<CSimulatedTransportLayer>;

} // namespace Simulator
