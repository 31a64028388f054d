#include "simulator/CCameraStatusService.h"

#include "simulator/CCameraPool.h"

namespace Simulator {

CCameraStatusService::CCameraStatusService(CCameraPool *pool)
    : m_pool(pool)
{ }

CCameraStatusService::~CCameraStatusService() = default;

bool CCameraStatusService::isCameraBusy(Core::DorvixComponents::CameraInfoPtr camera) const
{
    if (!camera || !m_pool)
        return false;
    const SimulatedCameraPtr known = m_pool->camera(camera->id());
    return known && known->isBusy();
}

} // namespace Simulator
