#pragma once

#include "host/DorvixEnums.h"
#include "host/IDeviceFirmwareUpdate.h"
#include "state/CFirmwareUpdateStepBase.h"

#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QTimer>

namespace Plugin::FirmwareUpdater::Internal::Entity {
class CFirmwareUpdateEntity;
}

namespace Plugin::FirmwareUpdater::Internal::State {

class CFirmwareUpdateThread;

// Page 4: updates the checked cameras of the update model one after another
// on a worker thread and records each camera's status and result.
class CFirmwareUpdatingStep : public CFirmwareUpdateStepBase
{
    Q_OBJECT

public:
    CFirmwareUpdatingStep(QPointer<Core::Service::IServiceRegistry> registry, QWidget *page,
                          QState *parent);
    ~CFirmwareUpdatingStep() override;

    // The last error message of a run the user canceled before its end.
    static QString canceledMessage();
    // For a shutdown while the run may be going on: lets the current camera
    // finish with the interface alive, logs its outcome and skips the rest.
    // Returns once nothing of the run is left to arrive.
    void finishBeforeShutdown();

signals:
    void firmwareUpdateDone();

public slots:
    void onUpdatesCanceled();

protected:
    void onEntry(QEvent *event) override;
    void onExit(QEvent *event) override;

private slots:
    void onFirmwareUpdateDone();
    void startUpdate();
    void onFirmwareUpdateError(const QString &errorMessage);
    void
    onFirmwareUpdateBegin(QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> firmwareUpdateInfo,
                          uint estimatedDuration);
    void onFirmwareUpdateProgressStepBegin(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                           uint estimatedUpdateTime, const QString &description);
    void onFirmwareUpdateProgressStepDone(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                          uint estimatedUpdateTime);
    void onFirmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::EFirmwareUpdateStep updateStep,
                                                     double progressPercentDone);

private:
    void onResetTick();
    void setCameraColumn(Entity::CFirmwareUpdateEntity *entity, int column, int value);
    void showPhase(Plugin::Dorvix::EFirmwareUpdateStep step, double percent);
    // For a phase the host describes with nothing.
    QString phaseWords(Plugin::Dorvix::EFirmwareUpdateStep step) const;
    // doneInCamera: the share of the current camera's estimate already done.
    void showTimeLeft(qint64 doneInCamera);
    // False, with a warning in the log, when no camera awaits its result.
    bool takesSignal(const char *signalName);
    // Prepares the first pending camera unless the run was canceled.
    void prepareNextCamera();
    void failCurrentCamera(const QString &logMessage, const QString &shownMessage);
    // Returns what the device reports and keeps it as the camera's firmware.
    QString recordVersionAfterUpdate(Entity::CFirmwareUpdateEntity *entity);
    void showProgress(Plugin::Dorvix::EFirmwareUpdateStep updateStep, double percent);
    // Handles events until the worker's finished() has been handled.
    void waitForWorker();
    void skipRemainingForShutdown();

    CFirmwareUpdateThread *m_thread;
    Plugin::Dorvix::DeviceFirmwareUpdatePtr m_currentUpdate;
    QString m_versionBeforeUpdate;
    QSharedPointer<IFirmwareUpdaterService> m_service;
    int m_total = 0;
    uint m_estimatedDuration = 0;
    QList<QPointer<Entity::CFirmwareUpdateEntity>> m_pending;
    bool m_started = false;
    bool m_canceled = false;
    QMutex m_mutex;
    int m_stepEstimate = 0;
    int m_finishedPhasesTime = 0;
    QTimer m_resetTimer;
    QString m_phaseDescription;
    // What the last finished camera was estimated to take; stands in for
    // the cameras still waiting.
    uint m_lastCameraDuration = 0;
    QElapsedTimer m_resetClock;
    // True between entry and the start of exit; late signals of the worker
    // are ignored outside that window.
    bool m_running = false;
    // Set while a started camera has reported neither done nor error.
    bool m_awaitingResult = false;
    // From the worker's start until its finished() has been handled here.
    bool m_workerActive = false;
    bool m_shuttingDown = false;
};

} // namespace Plugin::FirmwareUpdater::Internal::State
