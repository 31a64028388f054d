#include "simulator/CDeviceSelectorService.h"

namespace Simulator {

CDeviceSelectorService::CDeviceSelectorService() = default;

CDeviceSelectorService::~CDeviceSelectorService() = default;

void CDeviceSelectorService::select(Core::DorvixComponents::DeviceBaseInfoPtr device)
{
    m_selected = device;
    emit selectionChanged(device);
}

} // namespace Simulator
