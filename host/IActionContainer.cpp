#include "host/IActionContainer.h"

namespace Plugin::Vantor {

IActionContainer::~IActionContainer() = default;

} // namespace Plugin::Vantor
