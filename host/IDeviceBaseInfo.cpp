#include "host/IDeviceBaseInfo.h"

namespace Core::DorvixComponents {

IDeviceBaseInfo::~IDeviceBaseInfo() = default;

} // namespace Core::DorvixComponents
