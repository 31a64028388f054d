#include "host/ICommand.h"

namespace Plugin::Vantor {

ICommand::~ICommand() = default;

} // namespace Plugin::Vantor
