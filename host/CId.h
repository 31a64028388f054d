#pragma once

#include "host/HostExport.h"

#include <QByteArray>
#include <QString>

namespace Core {

// Identifier of actions, containers, groups and contexts.
class HOST_EXPORT CId
{
public:
    CId(const char *name = "");
    virtual ~CId();

    QByteArray name() const { return m_name; }
    QString toString() const { return QString::fromUtf8(m_name); }
    bool isValid() const { return !m_name.isEmpty(); }

    bool operator==(const CId &other) const { return m_name == other.m_name; }
    bool operator!=(const CId &other) const { return m_name != other.m_name; }

private:
    QByteArray m_name;
};

} // namespace Core
