#include "model/CUpdateReport.h"

#include "model/CFirmwareUpdateTreeModel.h"

#include <QSaveFile>
#include <QStringList>

namespace Plugin::FirmwareUpdater::Internal::Model {

using Entity::CFirmwareUpdateEntity;

namespace {

QString directionName(Plugin::Dorvix::EFirmwareUpdateDirection direction)
{
    switch (direction) {
    case Plugin::Dorvix::Upgrade:
        return QStringLiteral("upgrade");
    case Plugin::Dorvix::Downgrade:
        return QStringLiteral("downgrade");
    case Plugin::Dorvix::Reinstall:
        return QStringLiteral("reinstall");
    default:
        return QString();
    }
}

QString resultName(const CFirmwareUpdateEntity &entity)
{
    switch (entity.updateResult()) {
    case CFirmwareUpdateEntity::OK:
        return QStringLiteral("ok");
    case CFirmwareUpdateEntity::Failed:
        return QStringLiteral("failed");
    default:
        return QStringLiteral("skipped");
    }
}

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toString(Qt::ISODate) : QString();
}

void collectCameras(const CFirmwareUpdateTreeModel &model, const QModelIndex &parent,
                    QList<const CFirmwareUpdateEntity *> *cameras)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        const auto *entity = static_cast<const CFirmwareUpdateEntity *>(index.internalPointer());
        if (entity && entity->entityType() == CFirmwareUpdateEntity::CameraDevice)
            cameras->append(entity);
        collectCameras(model, index, cameras);
    }
}

QString row(const QStringList &cells)
{
    QStringList quoted;
    for (const QString &cell : cells)
        quoted.append(CUpdateReport::csvCell(cell));
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QString CUpdateReport::csvCell(const QString &text)
{
    QString cell = text;
    // A leading apostrophe keeps spreadsheets from evaluating the cell.
    if (!cell.isEmpty() && QStringLiteral("=+-@\t\r").contains(cell.at(0)))
        cell.prepend(QLatin1Char('\''));
    cell.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

QByteArray CUpdateReport::toCsv(const CFirmwareUpdateTreeModel &model, const QString &errorMessage)
{
    QString csv = row({ QStringLiteral("Name"), QStringLiteral("Id"), QStringLiteral("Model"),
                        QStringLiteral("Transport layer"), QStringLiteral("Firmware before"),
                        QStringLiteral("Target version"), QStringLiteral("Firmware after"),
                        QStringLiteral("Direction"), QStringLiteral("Result"),
                        QStringLiteral("Error message"), QStringLiteral("Start time"),
                        QStringLiteral("End time") });
    QList<const CFirmwareUpdateEntity *> cameras;
    collectCameras(model, QModelIndex(), &cameras);
    for (const CFirmwareUpdateEntity *camera : qAsConst(cameras)) {
        const Core::DorvixComponents::CameraInfoPtr info = camera->cameraInfo();
        const Plugin::Dorvix::TransportLayerInfoPtr layer = camera->transportLayerInfo();
        const Plugin::Dorvix::DeviceFirmwareUpdatePtr update = camera->deviceFirmwareUpdate();
        // The version shown in the tree is the one read back after the update.
        QString before;
        if (update)
            before = update->currentFirmwareVersion();
        else if (info)
            before = info->currentFirmwareVersion();
        const QString after = camera->data(CFirmwareUpdateEntity::CurrentFirmware).toString();
        csv += row({ camera->data(CFirmwareUpdateEntity::DisplayName).toString(),
                     camera->data(CFirmwareUpdateEntity::Id).toString(),
                     info ? info->modelName() : QString(),
                     layer ? layer->displayName() : (info ? info->transportLayerId() : QString()),
                     before, camera->selectedFirmware(), after,
                     directionName(camera->updateDetails()), resultName(*camera),
                     camera->updateResult() == CFirmwareUpdateEntity::Failed ? errorMessage
                                                                             : QString(),
                     timeText(camera->startTime()), timeText(camera->endTime()) });
    }
    return csv.toUtf8();
}

QString CUpdateReport::write(const QString &filePath, const QByteArray &csv)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(csv) != csv.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace Plugin::FirmwareUpdater::Internal::Model
