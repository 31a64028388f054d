#include "simulator/CSimulatedCamera.h"

#include <QMutexLocker>

namespace Simulator {

CSimulatedCamera::CSimulatedCamera(const Setup &setup, const QString &transportLayerId)
    : m_setup(setup)
    , m_transportLayerId(transportLayerId)
    , m_firmwareVersion(setup.firmwareVersion)
    , m_statusCode(setup.statusCode)
    , m_busy(setup.busy)
{ }

CSimulatedCamera::~CSimulatedCamera() = default;

QString CSimulatedCamera::displayName() const
{
    return m_setup.displayName;
}
QString CSimulatedCamera::id() const
{
    return m_setup.id;
}
QString CSimulatedCamera::detailText() const
{
    return m_setup.detailText;
}
QString CSimulatedCamera::transportLayerId() const
{
    return m_transportLayerId;
}
QString CSimulatedCamera::modelName() const
{
    return m_setup.modelName;
}
QString CSimulatedCamera::secondaryName() const
{
    return m_setup.secondaryName;
}

quint32 CSimulatedCamera::statusCode() const
{
    QMutexLocker locker(&m_mutex);
    return m_statusCode;
}

void CSimulatedCamera::setStatusCode(quint32 code)
{
    QMutexLocker locker(&m_mutex);
    m_statusCode = code;
}

QString CSimulatedCamera::currentFirmwareVersion() const
{
    QMutexLocker locker(&m_mutex);
    return m_firmwareVersion;
}

void CSimulatedCamera::setFirmwareVersion(const QString &version)
{
    QMutexLocker locker(&m_mutex);
    m_firmwareVersion = version;
}

bool CSimulatedCamera::isBusy() const
{
    QMutexLocker locker(&m_mutex);
    return m_busy;
}

void CSimulatedCamera::setBusy(bool busy)
{
    QMutexLocker locker(&m_mutex);
    m_busy = busy;
}

bool CSimulatedCamera::isPresent() const
{
    QMutexLocker locker(&m_mutex);
    return m_present;
}

void CSimulatedCamera::setPresent(bool present)
{
    QMutexLocker locker(&m_mutex);
    m_present = present;
}

int CSimulatedCamera::countUpdateRun(const QString &version)
{
    QMutexLocker locker(&m_mutex);
    return ++m_updateRuns[version];
}

} // namespace Simulator
