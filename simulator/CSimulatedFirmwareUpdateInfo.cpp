#include "simulator/CSimulatedFirmwareUpdateInfo.h"

namespace Simulator {

CSimulatedFirmwareUpdateInfo::CSimulatedFirmwareUpdateInfo(const Description &description,
                                                           QObject *parent)
    : IFirmwareUpdateInfo(parent)
    , m_description(description)
{ }

CSimulatedFirmwareUpdateInfo::~CSimulatedFirmwareUpdateInfo() = default;

QString CSimulatedFirmwareUpdateInfo::version() const
{
    return m_description.version;
}
QString CSimulatedFirmwareUpdateInfo::description() const
{
    return m_description.description;
}
QString CSimulatedFirmwareUpdateInfo::releaseNotes() const
{
    return m_description.releaseNotes;
}
QString CSimulatedFirmwareUpdateInfo::fileName() const
{
    return m_description.fileName;
}

unsigned int CSimulatedFirmwareUpdateInfo::totalEstimatedMs() const
{
    // The file reader bounds phases and estimates so that the sum fits.
    unsigned int total = 0;
    for (const Phase &phase : m_description.phases)
        total += phase.estimatedMs;
    return total;
}

bool CSimulatedFirmwareUpdateInfo::fits(const Core::DorvixComponents::ICameraInfo &camera) const
{
    if (!m_description.modelNames.contains(camera.modelName()))
        return false;
    return m_description.cameraIds.isEmpty() || m_description.cameraIds.contains(camera.id());
}

} // namespace Simulator
