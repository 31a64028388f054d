#include "host/CContext.h"

namespace Core::VantorComponents {

CContext::CContext(const Core::CId &id)
    : m_id(id)
{ }

CContext::~CContext() = default;

} // namespace Core::VantorComponents
