#include "simulator/CDeviceFirmwareUpdateService.h"

#include "simulator/CCameraPool.h"
#include "simulator/CSimulatedFirmwareUpdate.h"
#include "simulator/CUpdateFileParser.h"

namespace Simulator {

using Plugin::Dorvix::IFirmwareUpdateInfo;

CDeviceFirmwareUpdateService::CDeviceFirmwareUpdateService(CCameraPool *pool)
    : m_pool(pool)
{ }

CDeviceFirmwareUpdateService::~CDeviceFirmwareUpdateService() = default;

Plugin::Dorvix::DeviceFirmwareUpdatePtr
CDeviceFirmwareUpdateService::createFirmwareUpdate(Core::DorvixComponents::CameraInfoPtr camera,
                                                   QSharedPointer<IFirmwareUpdateInfo> info)
{
    const SimulatedFirmwareUpdateInfoPtr update = info.dynamicCast<CSimulatedFirmwareUpdateInfo>();
    if (!camera || !update || !m_pool)
        return {};
    const SimulatedCameraPtr known = m_pool->camera(camera->id());
    if (!known || !update->fits(*known))
        return {};
    return Plugin::Dorvix::DeviceFirmwareUpdatePtr(
            new CSimulatedFirmwareUpdate(known, update, m_pool->timeScale()));
}

bool CDeviceFirmwareUpdateService::findCompatibleUpdates(
        Core::DorvixComponents::CameraInfoPtr camera,
        const QVector<QSharedPointer<IFirmwareUpdateInfo>> &infos,
        QVector<QSharedPointer<IFirmwareUpdateInfo>> &compatible, bool &)
{
    compatible.clear();
    if (!camera)
        return false;
    for (const QSharedPointer<IFirmwareUpdateInfo> &info : infos) {
        const SimulatedFirmwareUpdateInfoPtr update
                = info.dynamicCast<CSimulatedFirmwareUpdateInfo>();
        if (update && update->fits(*camera))
            compatible.append(info);
    }
    return true;
}

QVector<QSharedPointer<IFirmwareUpdateInfo>>
CDeviceFirmwareUpdateService::readUpdateFile(const QString &filePath, const QString &)
{
    QVector<QSharedPointer<IFirmwareUpdateInfo>> infos;
    for (const SimulatedFirmwareUpdateInfoPtr &info : CUpdateFileParser::readFile(filePath))
        infos.append(info);
    return infos;
}

} // namespace Simulator
