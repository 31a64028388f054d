#include "host/ITransportLayerInfo.h"

namespace Plugin::Dorvix {

ITransportLayerInfo::~ITransportLayerInfo() = default;

} // namespace Plugin::Dorvix
