#include "api/IFirmwareUpdaterService.h"

#include <algorithm>

namespace Plugin::FirmwareUpdater {

IFirmwareUpdaterService::IFirmwareUpdaterService(QObject *parent)
    : Core::Service::IService(parent)
{ }

IFirmwareUpdaterService::~IFirmwareUpdaterService() = default;

bool IFirmwareUpdaterService::isLogFileComplete()
{
    return true;
}

QString IFirmwareUpdaterService::escapedForLog(const QString &text)
{
    // Nearly every line is printable ASCII: no copy for those.
    if (std::all_of(text.cbegin(), text.cend(),
                    [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; }))
        return text;
    QString escaped;
    escaped.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool pairedSurrogate = (c.isHighSurrogate() && i + 1 < text.size()
                                      && text.at(i + 1).isLowSurrogate())
                || (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate());
        if (c == QLatin1Char('\n')) {
            escaped += QLatin1String("\\n");
        } else if (c == QLatin1Char('\r')) {
            escaped += QLatin1String("\\r");
        } else if ((c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
                   || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
                   || (c.isSurrogate() && !pairedSurrogate)) {
            // Shown by code: a reader must not take them for line ends, nor
            // lose them to the UTF-8 conversion.
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            escaped += c;
        }
    }
    return escaped;
}

} // namespace Plugin::FirmwareUpdater
