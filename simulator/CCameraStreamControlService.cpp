#include "simulator/CCameraStreamControlService.h"

#include "simulator/CCameraPool.h"

namespace Simulator {

CCameraStreamControlService::CCameraStreamControlService(CCameraPool *pool)
    : m_pool(pool)
{ }

CCameraStreamControlService::~CCameraStreamControlService() = default;

void CCameraStreamControlService::stopAllCameras()
{
    if (m_pool)
        m_pool->stopAllCameras();
}

} // namespace Simulator
