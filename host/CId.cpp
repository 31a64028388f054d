#include "host/CId.h"

namespace Core {

CId::CId(const char *name)
    : m_name(name)
{ }

CId::~CId() = default;

} // namespace Core
