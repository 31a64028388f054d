#include "simulator/CSimulatedTransportLayer.h"

namespace Simulator {

CSimulatedTransportLayer::CSimulatedTransportLayer(const QString &id, const QString &displayName)
    : m_id(id)
    , m_displayName(displayName)
{ }

CSimulatedTransportLayer::~CSimulatedTransportLayer() = default;

QVector<Core::DorvixComponents::CameraInfoPtr> CSimulatedTransportLayer::cameras() const
{
    return m_cameras;
}

QString CSimulatedTransportLayer::displayName() const
{
    return m_displayName;
}
QString CSimulatedTransportLayer::id() const
{
    return m_id;
}

void CSimulatedTransportLayer::addCamera(const Core::DorvixComponents::CameraInfoPtr &camera)
{
    m_cameras.append(camera);
}

bool CSimulatedTransportLayer::removeCamera(const QString &cameraId)
{
    for (int i = 0; i < m_cameras.size(); ++i) {
        if (m_cameras.at(i)->id() == cameraId) {
            m_cameras.remove(i);
            return true;
        }
    }
    return false;
}

} // namespace Simulator
