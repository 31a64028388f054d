#include "host/BaseException.h"

namespace Core::Exception {

BaseException::BaseException(const QString &message)
    : m_message(message)
    , m_utf8(message.toUtf8())
{ }

BaseException::~BaseException() = default;

} // namespace Core::Exception
