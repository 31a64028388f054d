#pragma once

#include "host/CId.h"

namespace Core::VantorComponents {

// The context in which a registered action is active.
class HOST_EXPORT CContext
{
public:
    explicit CContext(const Core::CId &id = Core::CId());
    virtual ~CContext();

    Core::CId id() const { return m_id; }

private:
    Core::CId m_id;
};

} // namespace Core::VantorComponents
