#pragma once

#include "host/DorvixEnums.h"
#include "host/IFirmwareUpdateInfo.h"

namespace Plugin::Dorvix {

// The update of one camera to one firmware. runUpdate() blocks in the calling
// thread and reports through the signals: begin, per phase step begin,
// progress and step done, then exactly one of done or error.
class HOST_EXPORT IDeviceFirmwareUpdate : public QObject
{
    Q_OBJECT

public:
    explicit IDeviceFirmwareUpdate(QObject *parent = nullptr);
    ~IDeviceFirmwareUpdate() override;

    virtual QSharedPointer<IFirmwareUpdateInfo> firmwareUpdateInfo() const = 0;
    virtual EFirmwareUpdateDirection direction() const = 0;
    virtual QString currentFirmwareVersion() const = 0;
    virtual QString deviceFirmwareVersion() const = 0;
    virtual void runUpdate() = 0;

signals:
    void firmwareUpdateBegin(QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> firmwareUpdateInfo,
                             unsigned int estimatedDuration);
    void firmwareUpdateProgressStepBegin(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                         unsigned int estimatedUpdateTime,
                                         const QString &description);
    void firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                                   double progressPercentDone);
    void firmwareUpdateProgressStepDone(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                        unsigned int estimatedUpdateTime);
    void firmwareUpdateDone();
    void firmwareUpdateError(const QString &errorMessage);
};

using DeviceFirmwareUpdatePtr = QSharedPointer<IDeviceFirmwareUpdate>;

} // namespace Plugin::Dorvix

Q_DECLARE_METATYPE(Plugin::Dorvix::DeviceFirmwareUpdatePtr)
