#pragma once

#include <QJsonObject>
#include <QString>

namespace Simulator {

// Reads the simulator's JSON files (camera setups, update files) defensively:
// every problem becomes a Core::Exception::BaseException with a message that
// names the file.
class CJsonFileReader
{
public:
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    // kind is how the file is called in messages, e.g. "Update file".
    static QJsonObject readObject(const QString &filePath, const QString &kind);
};

} // namespace Simulator
