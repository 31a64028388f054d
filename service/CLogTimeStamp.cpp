#include "service/CLogTimeStamp.h"

#include <QDateTime>

namespace Plugin::FirmwareUpdater::Internal::Service {

QString CLogTimeStamp::text()
{
    return text(QDateTime::currentMSecsSinceEpoch());
}

QString CLogTimeStamp::text(qint64 msecsSinceEpoch)
{
    // Rounded down, also before 1970, so that a second's text covers it whole.
    qint64 second = msecsSinceEpoch / 1000;
    if (msecsSinceEpoch % 1000 < 0)
        --second;
    if (second != m_second) {
        m_text = QDateTime::fromMSecsSinceEpoch(second * 1000).toString(Qt::TextDate);
        m_second = second;
    }
    return m_text;
}

} // namespace Plugin::FirmwareUpdater::Internal::Service
