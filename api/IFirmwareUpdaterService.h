#pragma once

#include "host/ICameraInfo.h"
#include "host/IService.h"

#include <QPoint>
#include <QSize>
#include <QString>

// Exported from the plug-in file so that other plug-ins can use the service.
#define FIRMWAREUPDATER_EXPORT Q_DECL_EXPORT

namespace Plugin::FirmwareUpdater {

enum ELogLevel : qint32 { Debug = 0, Info = 1, Warning = 2, Critical = 3 };

// The plug-in's own service, published in the host's registry. The wizard
// states reach the run's log, update file, error message and page geometry
// only through this interface.
class FIRMWAREUPDATER_EXPORT IFirmwareUpdaterService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit IFirmwareUpdaterService(QObject *parent = nullptr);
    ~IFirmwareUpdaterService() override;

    virtual bool createWizard() = 0;
    virtual void startWizard() = 0;
    virtual QString supportUrl() = 0;
    virtual Core::DorvixComponents::CameraInfoPtr preselectedCamera() = 0;
    virtual void setPreselectedCamera(Core::DorvixComponents::CameraInfoPtr camera) = 0;
    virtual bool isCameraSupported(Core::DorvixComponents::CameraInfoPtr camera) = 0;
    virtual QString updateFilePath() = 0;
    virtual void openLogFile() = 0;
    virtual QString writeLog(const ELogLevel &level, const QString &message) = 0;
    virtual QString logFilePath() = 0;
    virtual QString lastErrorMessage() = 0;
    virtual void setLastErrorMessage(const QString &message) = 0;
    virtual void closeLogFile() = 0;
    virtual void setPagePosition(const QPoint &position) = 0;
    virtual QPoint &pagePosition() = 0;
    virtual void setPageSize(const QSize &size) = 0;
    virtual QSize &pageSize() = 0;
    virtual void setPageWindowState(const Qt::WindowStates &state) = 0;
    virtual Qt::WindowStates &pageWindowState() = 0;
    // False when the current log could not be opened or one of its lines could
    // not be written: the file is then missing or incomplete.
    virtual bool isLogFileComplete();

    // The text as one log line holds it: line breaks and other control
    // characters inside a value are escaped, so no value can forge a line.
    static QString escapedForLog(const QString &text);

public slots:
    virtual void onEnumerationChanged() = 0;
};

} // namespace Plugin::FirmwareUpdater
