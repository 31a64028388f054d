#pragma once

#include "api/IFirmwareUpdaterService.h"

#include <QStringList>

// A stand-in for the plug-in's service that records the log lines the states
// write, as "LEVEL message", and the last error message.
class CTestFirmwareUpdaterService : public Plugin::FirmwareUpdater::IFirmwareUpdaterService
{
public:
    bool createWizard() override { return true; }
    void startWizard() override { }
    QString supportUrl() override { return QString(); }
    Core::DorvixComponents::CameraInfoPtr preselectedCamera() override { return {}; }
    void setPreselectedCamera(Core::DorvixComponents::CameraInfoPtr) override { }
    bool isCameraSupported(Core::DorvixComponents::CameraInfoPtr) override { return true; }
    QString updateFilePath() override { return QString(); }
    void openLogFile() override { }
    QString writeLog(const Plugin::FirmwareUpdater::ELogLevel &level,
                     const QString &message) override
    {
        static const char *const names[] = { "DEBUG", "INFO", "WARNING", "CRITICAL" };
        lines << QString::fromLatin1(names[level]) + QLatin1Char(' ') + message;
        return message;
    }
    QString logFilePath() override { return QString(); }
    QString lastErrorMessage() override { return lastError; }
    void setLastErrorMessage(const QString &message) override { lastError = message; }
    void closeLogFile() override { }
    void setPagePosition(const QPoint &position) override { pagePos = position; }
    QPoint &pagePosition() override { return pagePos; }
    void setPageSize(const QSize &size) override { pageSz = size; }
    QSize &pageSize() override { return pageSz; }
    void setPageWindowState(const Qt::WindowStates &state) override { pageState = state; }
    Qt::WindowStates &pageWindowState() override { return pageState; }
    void onEnumerationChanged() override { }

    QStringList lines;
    QString lastError;
    QPoint pagePos;
    QSize pageSz;
    Qt::WindowStates pageState;
};
