#pragma once

#include "host/ICameraStatusService.h"

#include <QPointer>

namespace Simulator {

class CCameraPool;

class CCameraStatusService : public Plugin::Dorvix::ICameraStatusService
{
    Q_OBJECT

public:
    explicit CCameraStatusService(CCameraPool *pool);
    ~CCameraStatusService() override;

    // A camera the pool does not know (any more) is not busy.
    bool isCameraBusy(Core::DorvixComponents::CameraInfoPtr camera) const override;

private:
    QPointer<CCameraPool> m_pool;
};

} // namespace Simulator
