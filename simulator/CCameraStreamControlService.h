#pragma once

#include "host/ICameraStreamControlService.h"

#include <QPointer>

namespace Simulator {

class CCameraPool;

class CCameraStreamControlService : public Plugin::Dorvix::ICameraStreamControlService
{
    Q_OBJECT

public:
    explicit CCameraStreamControlService(CCameraPool *pool);
    ~CCameraStreamControlService() override;

    void stopAllCameras() override;

private:
    QPointer<CCameraPool> m_pool;
};

} // namespace Simulator
