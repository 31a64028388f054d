#pragma once

#include <QByteArray>
#include <QString>

namespace Plugin::FirmwareUpdater::Internal::Model {

class CFirmwareUpdateTreeModel;

// A run's result as CSV: one row per planned camera, UTF-8, RFC 4180 quoting.
class CUpdateReport
{
public:
    // errorMessage is the run's error; it goes into the failed camera's row.
    static QByteArray toCsv(const CFirmwareUpdateTreeModel &model, const QString &errorMessage);
    // One quoted cell; text a spreadsheet would run as a formula is defused.
    static QString csvCell(const QString &text);
    // Replaces the file only once everything is written; an empty string on
    // success, else the reason.
    static QString write(const QString &filePath, const QByteArray &csv);
};

} // namespace Plugin::FirmwareUpdater::Internal::Model
