#include "host/ICameraInfo.h"

namespace Core::DorvixComponents {

ICameraInfo::~ICameraInfo() = default;

} // namespace Core::DorvixComponents
