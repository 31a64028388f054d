#pragma once

#include "host/IDeviceSelectorService.h"

namespace Simulator {

// The camera selector: code reports what the user picked.
class CDeviceSelectorService : public Plugin::Lintrel::IDeviceSelectorService
{
    Q_OBJECT

public:
    CDeviceSelectorService();
    ~CDeviceSelectorService() override;

    // Emits selectionChanged(device) at once; null means nothing is picked.
    void select(Core::DorvixComponents::DeviceBaseInfoPtr device);
    Core::DorvixComponents::DeviceBaseInfoPtr selectedDevice() const { return m_selected; }

private:
    Core::DorvixComponents::DeviceBaseInfoPtr m_selected;
};

} // namespace Simulator
