#pragma once

#include "plugin/IFirmwareUpdaterService.h"

#include <QStringList>

// A stand-in for the plug-in's service that records what the states ask of
// it: log lines as "LEVEL message", the error message and the geometry.
class CTestFirmwareUpdaterService : public Plugin::FirmwareUpdater::IFirmwareUpdaterService
{
public:
    bool createWizard() override { return true; }
    void startWizard() override { }
    QString supportUrl() override { return QStringLiteral("https://support.invalid/contact/"); }
    Core::DorvixComponents::CameraInfoPtr preselectedCamera() override { return {}; }
    void setPreselectedCamera(Core::DorvixComponents::CameraInfoPtr) override { }
    bool isCameraSupported(Core::DorvixComponents::CameraInfoPtr) override { return true; }
    QString updateFilePath() override { return filePath; }
    void openLogFile() override { logOpen = true; }
    QString writeLog(const Plugin::FirmwareUpdater::ELogLevel &level,
                     const QString &message) override
    {
        static const char *const names[] = { "DEBUG", "INFO", "WARNING", "CRITICAL" };
        if (!message.isEmpty())
            lines << QString::fromLatin1(level >= 0 && level <= 3 ? names[level] : "INFO")
                            + QLatin1Char(' ') + message;
        return message;
    }
    QString logFilePath() override { return logOpen ? QStringLiteral("/tmp/test.log") : QString(); }
    QString lastErrorMessage() override { return lastError; }
    void setLastErrorMessage(const QString &message) override { lastError = message; }
    void closeLogFile() override
    {
        ++closeCount;
        if (logOpen)
            lastError.clear();
        logOpen = false;
    }
    void setPagePosition(const QPoint &position) override { pagePos = position; }
    QPoint &pagePosition() override { return pagePos; }
    void setPageSize(const QSize &size) override { pageSz = size; }
    QSize &pageSize() override { return pageSz; }
    void setPageWindowState(const Qt::WindowStates &state) override { pageState = state; }
    Qt::WindowStates &pageWindowState() override { return pageState; }
    void onEnumerationChanged() override { }

    QStringList lines;
    QString filePath;
    QString lastError;
    bool logOpen = true;
    int closeCount = 0;
    QPoint pagePos;
    QSize pageSz;
    Qt::WindowStates pageState;
};
