#include "state/CFirmwareUpdatingStep.h"

#include "entity/CFirmwareUpdateEntity.h"
#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "api/IFirmwareUpdaterService.h"
#include "state/CFirmwareUpdateThread.h"
#include "view/CFirmwareUpdateDialog.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaEnum>
#include <QMutexLocker>

#include <cmath>
#include <limits>

namespace Plugin::FirmwareUpdater::Internal::State {

using Entity::CFirmwareUpdateEntity;
using Model::CFirmwareUpdateTreeModel;
using Plugin::Dorvix::EFirmwareUpdateStep;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;

namespace {

// The host reports no progress while a camera restarts; the bar is moved by
// the elapsed time instead.
constexpr int ResetTickInterval = 250;

// Host estimates are unsigned; the bar and the sums take them as int.
int clampedMs(uint ms)
{
    return int(qMin<uint>(ms, uint(std::numeric_limits<int>::max())));
}

QString stepName(EFirmwareUpdateStep step)
{
    return QString::fromLatin1(QMetaEnum::fromType<EFirmwareUpdateStep>().valueToKey(step));
}

} // namespace

CFirmwareUpdatingStep::CFirmwareUpdatingStep(QPointer<Core::Service::IServiceRegistry> registry,
                                             QWidget *page, QState *parent)
    : CFirmwareUpdateStepBase(registry, page, parent)
    , m_thread(new CFirmwareUpdateThread(this))
    , m_service(Core::Service::findService<IFirmwareUpdaterService>(registry))
{
    m_resetTimer.setInterval(ResetTickInterval);
    connect(&m_resetTimer, &QTimer::timeout, this, &CFirmwareUpdatingStep::onResetTick);

    connect(m_thread, &CFirmwareUpdateThread::firmwareUpdateDone, this,
            &CFirmwareUpdatingStep::onFirmwareUpdateDone);
    connect(m_thread, &CFirmwareUpdateThread::firmwareUpdateError, this,
            &CFirmwareUpdatingStep::onFirmwareUpdateError);
    connect(m_thread, &CFirmwareUpdateThread::firmwareUpdateBegin, this,
            &CFirmwareUpdatingStep::onFirmwareUpdateBegin);
    connect(m_thread, &CFirmwareUpdateThread::firmwareUpdateProgressStepBegin, this,
            &CFirmwareUpdatingStep::onFirmwareUpdateProgressStepBegin);
    connect(m_thread, &CFirmwareUpdateThread::firmwareUpdateProgressStepDone, this,
            &CFirmwareUpdatingStep::onFirmwareUpdateProgressStepDone);
    connect(m_thread, &CFirmwareUpdateThread::firmwareUpdateProgressStepProgressChanged, this,
            &CFirmwareUpdatingStep::onFirmwareUpdateProgressStepProgressChanged);
    connect(m_thread, &QThread::finished, this, &CFirmwareUpdatingStep::startUpdate);
    // Connected after startUpdate, so it runs after it.
    connect(m_thread, &QThread::finished, this, [this] { m_workerActive = false; });
}

CFirmwareUpdatingStep::~CFirmwareUpdatingStep()
{
    // A QThread must not be destroyed while it runs.
    m_running = false;
    m_thread->wait();
}

QString CFirmwareUpdatingStep::canceledMessage()
{
    return tr("Firmware updates have been canceled by the user.");
}

void CFirmwareUpdatingStep::onEntry(QEvent *event)
{
    auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data());
    if (!dialog)
        return;
    dialog->setCancelEnabled(true);
    CFirmwareUpdateStepBase::onEntry(event);

    const QSharedPointer<CFirmwareUpdateTreeModel> model = dialog->treeModel();
    m_pending = model ? model->selectedCameras() : QList<QPointer<CFirmwareUpdateEntity>>();
    dialog->setProgressText(1, m_pending.size());
    dialog->setProgress(0, 0);
    dialog->setPhaseText(QString());
    dialog->setTimeLeft(-1);
    m_estimatedDuration = 0;
    m_lastCameraDuration = 0;
    m_total = m_pending.size();
    m_started = false;
    m_canceled = false;
    m_running = true;
    onFirmwareUpdateDone();
}

void CFirmwareUpdatingStep::onExit(QEvent *event)
{
    // From here on the worker's late signals find nothing to act on.
    m_running = false;
    m_resetTimer.stop();
    waitForWorker();
    m_currentUpdate.clear();
    m_pending.clear();
    CFirmwareUpdateStepBase::onExit(event);
}

void CFirmwareUpdatingStep::waitForWorker()
{
    // Without freezing the interface. A flag rather than isRunning(): the
    // thread still counts as running for a moment after finished().
    // Called from a slot of finished() itself, the event that clears the
    // flag is already posted, and a nested loop would not wake up for it.
    QEventLoop loop;
    while (m_workerActive) {
        QCoreApplication::sendPostedEvents();
        if (m_workerActive)
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void CFirmwareUpdatingStep::finishBeforeShutdown()
{
    if (!m_running)
        return;
    m_shuttingDown = true;
    if (m_workerActive) {
        if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data())) {
            dialog->setCancelEnabled(false);
            dialog->showFinishingCurrentCamera(View::CFirmwareUpdateDialog::Finishing::Closing);
        }
        waitForWorker();
    }
    skipRemainingForShutdown();
    m_running = false;
    m_resetTimer.stop();
}

void CFirmwareUpdatingStep::skipRemainingForShutdown()
{
    if (m_pending.isEmpty())
        return;
    m_service->writeLog(Warning, QStringLiteral("Further firmware updates will be skipped"));
    m_pending.clear();
    m_currentUpdate.clear();
}

void CFirmwareUpdatingStep::onUpdatesCanceled()
{
    if (!m_running)
        return;
    QMutexLocker locker(&m_mutex);
    if (m_canceled)
        return;
    m_canceled = true;
    m_service->writeLog(Warning, QStringLiteral("User canceled firmware update"));
    if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data())) {
        dialog->setCancelEnabled(false);
        dialog->showFinishingCurrentCamera();
    }
}

void CFirmwareUpdatingStep::onFirmwareUpdateDone()
{
    if (!m_running)
        return;
    // Before the first start this is the run's own call, not the host's.
    if (m_started && !takesSignal("done"))
        return;
    auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data());
    m_awaitingResult = false;
    m_finishedPhasesTime = 0;
    if (m_started && m_estimatedDuration > 0)
        m_lastCameraDuration = m_estimatedDuration;
    m_estimatedDuration = 0;
    m_resetTimer.stop();

    if (!dialog) {
        m_service->writeLog(Critical,
                            QStringLiteral("Internal error. Stopping firmware update of cameras"));
        // Without the page nothing can be shown; end the run instead of
        // starting the same update again.
        m_pending.clear();
        m_currentUpdate.clear();
    } else if (m_started && !m_pending.isEmpty()) {
        CFirmwareUpdateEntity *finished = m_pending.first().data();
        const QString reported = recordVersionAfterUpdate(finished);
        m_service->writeLog(Info, QStringLiteral("Camera info after update:"));
        m_service->writeLog(Info, QStringLiteral("DeviceFirmwareVersion: %1").arg(reported));
        const FirmwareUpdateInfoPtr info
                = m_currentUpdate ? m_currentUpdate->firmwareUpdateInfo() : FirmwareUpdateInfoPtr();
        const QString expected = info ? info->version().trimmed() : QString();
        // A device that cannot tell its version is given the benefit of the doubt.
        if (!reported.trimmed().isEmpty() && !expected.isEmpty()
            && reported.trimmed() != expected) {
            static const char text[] = QT_TR_NOOP(
                    "The camera reports firmware version %1 after the update; expected %2.");
            failCurrentCamera(QString::fromLatin1(text).arg(reported.trimmed(), expected),
                              tr(text).arg(reported.trimmed(), expected));
        } else {
            m_pending.removeFirst();
            setCameraColumn(finished, CFirmwareUpdateEntity::UpdateResult,
                            CFirmwareUpdateEntity::OK);
            setCameraColumn(finished, CFirmwareUpdateEntity::UpdateStatus,
                            CFirmwareUpdateEntity::Complete);
            const int done = m_total - m_pending.size();
            dialog->setProgress(done, m_total);
            m_service->writeLog(Info,
                                QStringLiteral("Finished firmware update (%1/%2)")
                                        .arg(QString::number(done), QString::number(m_total)));
        }
    }

    if (!m_started) {
        m_started = true;
        startUpdate();
    }
}

void CFirmwareUpdatingStep::prepareNextCamera()
{
    auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data());
    if (m_pending.isEmpty() || !dialog)
        return;
    // Checked here, at the last moment before a start: a cancel that came
    // after the previous camera's result still stops the next one.
    QMutexLocker locker(&m_mutex);
    if (m_canceled) {
        m_service->writeLog(Info,
                            QStringLiteral("Firmware updates have been canceled by the user"));
        m_service->setLastErrorMessage(canceledMessage());
        m_pending.clear();
        m_currentUpdate.clear();
        return;
    }
    CFirmwareUpdateEntity *next = m_pending.first().data();
    const QString name = next && next->cameraInfo() ? next->cameraInfo()->displayName() : QString();
    m_service->writeLog(Info,
                        QStringLiteral("Starting firmware update (%1/%2) for camera %3")
                                .arg(QString::number(m_total - m_pending.size() + 1),
                                     QString::number(m_total), name));
    setCameraColumn(next, CFirmwareUpdateEntity::UpdateStatus, CFirmwareUpdateEntity::Updating);
    dialog->setTreeModel(dialog->treeModel());
    m_currentUpdate = next ? next->deviceFirmwareUpdate() : Plugin::Dorvix::DeviceFirmwareUpdatePtr();
    // Read before the worker starts: by the time its queued begin signal is
    // handled here, the device may already run the new firmware.
    m_versionBeforeUpdate = m_currentUpdate ? m_currentUpdate->deviceFirmwareVersion() : QString();
}

void CFirmwareUpdatingStep::startUpdate()
{
    if (!m_running)
        return;
    if (m_awaitingResult) {
        // The worker ended without the host saying how the update went: never
        // count that as a success, nor start the same camera over again.
        const QString message = QStringLiteral(
                "Internal error: Firmware update ended without reporting its result.");
        failCurrentCamera(message, message);
    }
    // A camera prepared just before a shutdown is not started any more.
    if (m_shuttingDown) {
        // The service ends the run and logs why.
        skipRemainingForShutdown();
        return;
    }
    prepareNextCamera();
    if (m_pending.isEmpty()) {
        m_service->writeLog(Info, QStringLiteral("Finished all firmware updates"));
        emit firmwareUpdateDone();
        return;
    }
    if (!m_currentUpdate) {
        const QString message = QStringLiteral(
                "Internal error: Firmware update is missing and could not be applied.");
        failCurrentCamera(message, message);
        emit firmwareUpdateDone();
        return;
    }
    if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data()))
        dialog->setProgressText(m_total - m_pending.size() + 1, m_total);
    m_thread->setFirmwareUpdate(m_currentUpdate);
    m_awaitingResult = true;
    m_workerActive = true;
    m_thread->start(QThread::InheritPriority);
}

void CFirmwareUpdatingStep::onFirmwareUpdateError(const QString &errorMessage)
{
    if (!m_running || !takesSignal("error"))
        return;
    if (!m_pending.isEmpty())
        recordVersionAfterUpdate(m_pending.first().data());
    failCurrentCamera(errorMessage, errorMessage);
}

void CFirmwareUpdatingStep::failCurrentCamera(const QString &logMessage,
                                              const QString &shownMessage)
{
    m_awaitingResult = false;
    m_service->writeLog(Critical, logMessage);
    m_service->setLastErrorMessage(shownMessage);
    if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data()))
        dialog->setTimeLeft(-1);
    m_finishedPhasesTime = 0;
    m_estimatedDuration = 0;
    m_resetTimer.stop();
    if (m_pending.isEmpty())
        return;
    m_service->writeLog(Critical,
                        QStringLiteral("Firmware update (%1/%2) failed.")
                                .arg(QString::number(m_total - m_pending.size() + 1),
                                     QString::number(m_total)));
    CFirmwareUpdateEntity *failed = m_pending.takeFirst().data();
    if (!m_pending.isEmpty())
        m_service->writeLog(Warning, QStringLiteral("Further firmware updates will be skipped"));
    setCameraColumn(failed, CFirmwareUpdateEntity::UpdateResult, CFirmwareUpdateEntity::Failed);
    setCameraColumn(failed, CFirmwareUpdateEntity::UpdateStatus, CFirmwareUpdateEntity::Complete);
    if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data()))
        dialog->setTreeModel(dialog->treeModel());
    m_pending.clear();
}

QString CFirmwareUpdatingStep::recordVersionAfterUpdate(CFirmwareUpdateEntity *entity)
{
    const QString reported = m_currentUpdate ? m_currentUpdate->deviceFirmwareVersion() : QString();
    if (entity && !reported.trimmed().isEmpty())
        entity->setFirmwareAfterUpdate(reported.trimmed());
    return reported;
}

bool CFirmwareUpdatingStep::takesSignal(const char *signalName)
{
    if (m_awaitingResult)
        return true;
    // A host that reports twice, or after its result, must not decide the
    // outcome of the next camera.
    m_service->writeLog(Warning,
                        QStringLiteral("Ignored firmware update signal \"%1\": no camera awaits "
                                       "its result")
                                .arg(QLatin1String(signalName)));
    return false;
}

void CFirmwareUpdatingStep::onFirmwareUpdateBegin(
        QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> firmwareUpdateInfo,
        uint estimatedDuration)
{
    if (!m_running || !takesSignal("begin"))
        return;
    if (firmwareUpdateInfo) {
        m_service->writeLog(Info, QStringLiteral("Camera info before update:"));
        m_service->writeLog(Info,
                            QStringLiteral("DeviceFirmwareVersion: %1").arg(m_versionBeforeUpdate));
        m_service->writeLog(Info, QStringLiteral("Update infos:"));
        m_service->writeLog(Info,
                            QStringLiteral("Filename: %1").arg(firmwareUpdateInfo->fileName()));
        m_service->writeLog(Info, QStringLiteral("Version: %1").arg(firmwareUpdateInfo->version()));
        m_service->writeLog(
                Info, QStringLiteral("Description: %1").arg(firmwareUpdateInfo->description()));
        m_service->writeLog(
                Info, QStringLiteral("Release Notes: %1").arg(firmwareUpdateInfo->releaseNotes()));
    }
    m_service->writeLog(Info,
                        QStringLiteral("Update will take approximately %1 msec")
                                .arg(QString::number(estimatedDuration)));
    m_estimatedDuration = estimatedDuration;
    if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data()))
        dialog->setProgress(0, clampedMs(estimatedDuration));
    showTimeLeft(0);
}

void CFirmwareUpdatingStep::onFirmwareUpdateProgressStepBegin(EFirmwareUpdateStep updateStep,
                                                              uint estimatedUpdateTime,
                                                              const QString &description)
{
    if (!m_running || !takesSignal("step begin"))
        return;
    m_service->writeLog(Info, QStringLiteral("Entering update step: %1").arg(stepName(updateStep)));
    if (!description.isEmpty())
        m_service->writeLog(Info, QStringLiteral("Update step description: %1").arg(description));
    m_service->writeLog(Info,
                        QStringLiteral("Update step will take approximately %1 msec")
                                .arg(QString::number(estimatedUpdateTime)));
    m_stepEstimate = clampedMs(estimatedUpdateTime);
    m_phaseDescription = description;
    showPhase(updateStep, 0);
    if (updateStep == Plugin::Dorvix::DeviceReset) {
        m_resetClock.restart();
        m_resetTimer.start();
    }
}

void CFirmwareUpdatingStep::onResetTick()
{
    // A phase announced as taking no time has no share to simulate.
    if (!m_running || !m_awaitingResult || m_stepEstimate <= 0)
        return;
    showProgress(Plugin::Dorvix::DeviceReset,
                 std::trunc(double(m_resetClock.elapsed()) / double(m_stepEstimate) * 100.0));
}

void CFirmwareUpdatingStep::onFirmwareUpdateProgressStepDone(EFirmwareUpdateStep updateStep,
                                                             uint estimatedUpdateTime)
{
    if (!m_running || !takesSignal("step done"))
        return;
    m_service->writeLog(Info, QStringLiteral("Finished update step: %1").arg(stepName(updateStep)));
    m_service->writeLog(Info,
                        QStringLiteral("Update remaining time approximately %1 msec")
                                .arg(QString::number(estimatedUpdateTime)));
    if (updateStep == Plugin::Dorvix::DeviceReset)
        m_resetTimer.stop();
    m_finishedPhasesTime
            = int(qMin<qint64>(qint64(m_finishedPhasesTime) + clampedMs(estimatedUpdateTime),
                               std::numeric_limits<int>::max()));
    if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data()))
        dialog->setProgress(m_finishedPhasesTime, clampedMs(m_estimatedDuration));
    showTimeLeft(m_finishedPhasesTime);
}

void CFirmwareUpdatingStep::onFirmwareUpdateProgressStepProgressChanged(
        EFirmwareUpdateStep updateStep, double progressPercentDone)
{
    if (!m_running || !takesSignal("progress"))
        return;
    showProgress(updateStep,
                 std::isnan(progressPercentDone) ? 0.0 : qBound(0.0, progressPercentDone, 100.0));
}

void CFirmwareUpdatingStep::showProgress(EFirmwareUpdateStep updateStep, double percent)
{
    m_service->writeLog(Info,
                        QStringLiteral("%1 progress: %2%")
                                .arg(stepName(updateStep), QString::number(percent, 'f', 0)));
    if (auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data())) {
        const double value = m_stepEstimate * (percent / 100.0) + m_finishedPhasesTime;
        const int done = int(qBound(0.0, value, double(std::numeric_limits<int>::max())));
        dialog->setProgress(done, clampedMs(m_estimatedDuration));
        showPhase(updateStep, percent);
        showTimeLeft(done);
    }
}

void CFirmwareUpdatingStep::showPhase(EFirmwareUpdateStep step, double percent)
{
    auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data());
    if (!dialog)
        return;
    const QString share = QString::number(qBound(0.0, percent, 100.0), 'f', 0);
    if (step == Plugin::Dorvix::DeviceReset) {
        dialog->setPhaseText(tr("The camera is restarting — %1%").arg(share));
        return;
    }
    const QString phase = m_phaseDescription.isEmpty() ? phaseWords(step) : m_phaseDescription;
    dialog->setPhaseText(QStringLiteral("%1 — %2%").arg(phase, share));
}

QString CFirmwareUpdatingStep::phaseWords(EFirmwareUpdateStep step) const
{
    switch (step) {
    case Plugin::Dorvix::CheckPreconditions:
        return tr("Checking the camera");
    case Plugin::Dorvix::AcquireUpdateData:
        return tr("Preparing the update data");
    case Plugin::Dorvix::FeatureWrite:
        return tr("Writing the update settings");
    case Plugin::Dorvix::FeatureExecute:
        return tr("Running the update");
    case Plugin::Dorvix::FeatureAssert:
        return tr("Checking the new firmware");
    case Plugin::Dorvix::FileUpload:
        return tr("Uploading the firmware");
    default:
        return tr("Updating the firmware");
    }
}

void CFirmwareUpdatingStep::showTimeLeft(qint64 doneInCamera)
{
    auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data());
    if (!dialog)
        return;
    if (m_estimatedDuration == 0) {
        dialog->setTimeLeft(-1);
        return;
    }
    // A cancel lets only the current camera finish.
    const qint64 waiting = m_canceled ? 0 : qMax(0, m_pending.size() - 1);
    const qint64 perCamera
            = clampedMs(m_lastCameraDuration > 0 ? m_lastCameraDuration : m_estimatedDuration);
    const qint64 current = qMax<qint64>(0, clampedMs(m_estimatedDuration) - doneInCamera);
    dialog->setTimeLeft(current + waiting * perCamera);
}

void CFirmwareUpdatingStep::setCameraColumn(CFirmwareUpdateEntity *entity, int column, int value)
{
    auto *dialog = qobject_cast<View::CFirmwareUpdateDialog *>(page().data());
    if (!entity || !dialog)
        return;
    const QSharedPointer<CFirmwareUpdateTreeModel> model = dialog->treeModel();
    const Core::DorvixComponents::CameraInfoPtr camera = entity->cameraInfo();
    if (!model || !camera)
        return;
    const QModelIndex index
            = model->findCameraIndex(camera->transportLayerId(), camera->id(), column);
    model->setData(index, QVariant(value), Qt::EditRole);
}

} // namespace Plugin::FirmwareUpdater::Internal::State
