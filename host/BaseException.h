#pragma once

#include "host/HostExport.h"

#include <QString>

#include <exception>

namespace Core::Exception {

// What host services throw; callers catch it by reference.
class HOST_EXPORT BaseException : public std::exception
{
public:
    explicit BaseException(const QString &message);
    ~BaseException() override;

    QString getMessage() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace Core::Exception
