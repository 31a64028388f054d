#include "simulator/CJsonFileReader.h"

#include "host/BaseException.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

namespace Simulator {

QJsonObject CJsonFileReader::readObject(const QString &filePath, const QString &kind)
{
    using Core::Exception::BaseException;

    if (filePath.isEmpty())
        throw BaseException(QStringLiteral("%1: no file name given.").arg(kind));
    const QString name = QStringLiteral("%1 \"%2\"").arg(kind, filePath);
    const QFileInfo info(filePath);
    if (!info.exists())
        throw BaseException(QStringLiteral("%1 does not exist.").arg(name));
    // Rules out folders, devices and pipes, which could block or never end.
    if (!info.isFile())
        throw BaseException(QStringLiteral("%1 is not a regular file.").arg(name));
    const QString tooLarge
            = QStringLiteral("%1 is too large (more than %2 bytes).").arg(name, QString::number(MaxFileSize));
    if (info.size() > MaxFileSize)
        throw BaseException(tooLarge);

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw BaseException(QStringLiteral("%1 cannot be read: %2").arg(name, file.errorString()));
    // Bounded again: the file may have grown since it was looked at.
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize)
        throw BaseException(tooLarge);
    if (data.trimmed().isEmpty())
        throw BaseException(QStringLiteral("%1 is empty.").arg(name));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        throw BaseException(QStringLiteral("%1 is not valid JSON: %2 at byte %3.")
                                    .arg(name, error.errorString(), QString::number(error.offset)));
    if (!document.isObject())
        throw BaseException(QStringLiteral("%1 must hold a JSON object.").arg(name));
    return document.object();
}

} // namespace Simulator
