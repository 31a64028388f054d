#pragma once

#include "host/CId.h"

#include <QPointer>

class QAction;

namespace Plugin::Vantor {

// An action registered with the menu service.
class HOST_EXPORT ICommand
{
public:
    virtual ~ICommand();

    virtual QAction *action() const = 0;
    virtual Core::CId id() const = 0;
};

} // namespace Plugin::Vantor
