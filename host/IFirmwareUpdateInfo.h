#pragma once

#include "host/HostExport.h"

#include <QObject>
#include <QSharedPointer>
#include <QVector>

namespace Plugin::Dorvix {

// One update that an update file holds.
class HOST_EXPORT IFirmwareUpdateInfo : public QObject
{
    Q_OBJECT

public:
    explicit IFirmwareUpdateInfo(QObject *parent = nullptr);
    ~IFirmwareUpdateInfo() override;

    virtual QString version() const = 0;
    virtual QString description() const = 0;
    virtual QString releaseNotes() const = 0;
    virtual QString fileName() const = 0;
};

using FirmwareUpdateInfoPtr = QSharedPointer<IFirmwareUpdateInfo>;

} // namespace Plugin::Dorvix

Q_DECLARE_METATYPE(QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>)
