#pragma once

#include "host/CId.h"

namespace Plugin::Vantor {

class ICommand;

// A menu of the host, filled by groups.
class HOST_EXPORT IActionContainer
{
public:
    virtual ~IActionContainer();

    virtual void addAction(ICommand *command, const Core::CId &group) = 0;
};

} // namespace Plugin::Vantor
