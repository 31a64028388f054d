#pragma once

#include <QString>
#include <QtGlobal>

#include <limits>

namespace Plugin::FirmwareUpdater::Internal::Service {

// The log's time stamp: local time in Qt::TextDate form, to the second.
// Formatting local time asks the system for its time zone each time, and a
// run writes thousands of lines a second, so the text is made once a second.
class CLogTimeStamp
{
public:
    // Now.
    QString text();
    QString text(qint64 msecsSinceEpoch);

private:
    qint64 m_second = std::numeric_limits<qint64>::min();
    QString m_text;
};

} // namespace Plugin::FirmwareUpdater::Internal::Service
