#include "simulator/CSimulatedFirmwareUpdate.h"

#include <QThread>
#include <QVersionNumber>

#include <cmath>

namespace Simulator {

using Plugin::Dorvix::EFirmwareUpdateDirection;

namespace {

// Percent values reported per phase; a phase's estimate is spread evenly
// over the gaps between them.
constexpr double kProgressPoints[] = { 0.0, 25.0, 50.0, 75.0, 100.0 };
constexpr int kProgressGaps = int(sizeof(kProgressPoints) / sizeof(kProgressPoints[0])) - 1;
// A failing phase stops after this many progress values.
constexpr int kValuesBeforeFailure = 3;

bool parseVersion(const QString &text, QVersionNumber &version)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !trimmed.at(0).isDigit())
        return false;
    int suffixIndex = -1;
    version = QVersionNumber::fromString(trimmed, &suffixIndex);
    return !version.isNull() && suffixIndex == trimmed.size();
}

} // namespace

CSimulatedFirmwareUpdate::CSimulatedFirmwareUpdate(SimulatedCameraPtr camera,
                                                   SimulatedFirmwareUpdateInfoPtr info,
                                                   double timeScale, QObject *parent)
    : IDeviceFirmwareUpdate(parent)
    , m_camera(camera)
    , m_info(info)
    , m_timeScale(std::isfinite(timeScale) && timeScale > 0.0 ? timeScale : 0.0)
    , m_installedVersion(camera->currentFirmwareVersion())
    , m_direction(directionFor(m_installedVersion, info->version()))
{ }

CSimulatedFirmwareUpdate::~CSimulatedFirmwareUpdate() = default;

QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>
CSimulatedFirmwareUpdate::firmwareUpdateInfo() const
{
    return m_info;
}

EFirmwareUpdateDirection CSimulatedFirmwareUpdate::direction() const
{
    return m_direction;
}

QString CSimulatedFirmwareUpdate::currentFirmwareVersion() const
{
    return m_installedVersion;
}

QString CSimulatedFirmwareUpdate::deviceFirmwareVersion() const
{
    return m_camera->currentFirmwareVersion();
}

EFirmwareUpdateDirection CSimulatedFirmwareUpdate::directionFor(const QString &installed,
                                                                const QString &offered)
{
    QVersionNumber from;
    QVersionNumber to;
    if (!parseVersion(installed, from) || !parseVersion(offered, to))
        return Plugin::Dorvix::NotDetermined;
    const int order = QVersionNumber::compare(from.normalized(), to.normalized());
    if (order < 0)
        return Plugin::Dorvix::Upgrade;
    if (order > 0)
        return Plugin::Dorvix::Downgrade;
    return Plugin::Dorvix::Reinstall;
}

void CSimulatedFirmwareUpdate::simulateWork(unsigned int estimatedMs) const
{
    const double ms = std::round(estimatedMs * m_timeScale);
    if (ms >= 1.0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

unsigned int CSimulatedFirmwareUpdate::reportedMs(unsigned int estimatedMs) const
{
    // At scale 0 nothing waits, so the file's own estimates are the only sensible ones.
    if (m_timeScale <= 0.0)
        return estimatedMs;
    return static_cast<unsigned int>(std::lround(estimatedMs * m_timeScale));
}

void CSimulatedFirmwareUpdate::runUpdate()
{
    const CSimulatedFirmwareUpdateInfo::Description &update = m_info->details();
    emit firmwareUpdateBegin(m_info, reportedMs(m_info->totalEstimatedMs()));

    if (!m_camera->isPresent()) {
        emit firmwareUpdateError(
                QStringLiteral("Camera %1 is no longer connected.").arg(m_camera->displayName()));
        return;
    }
    if (m_camera->isBusy()) {
        emit firmwareUpdateError(
                QStringLiteral("Camera %1 is acquiring images and cannot be updated.")
                        .arg(m_camera->displayName()));
        return;
    }

    const int run = m_camera->countUpdateRun(update.version);
    const bool failing
            = update.failureInjected && (update.failureTimes == 0 || run <= update.failureTimes);
    for (const CSimulatedFirmwareUpdateInfo::Phase &phase : update.phases) {
        const bool fails = failing && update.failureStep == phase.step;
        emit firmwareUpdateProgressStepBegin(phase.step, reportedMs(phase.estimatedMs),
                                             phase.description);
        if (phase.step == Plugin::Dorvix::DeviceReset) {
            // The device is silent while it restarts.
            simulateWork(fails ? phase.estimatedMs / 2 : phase.estimatedMs);
        } else {
            const int values = fails ? kValuesBeforeFailure : kProgressGaps + 1;
            for (int i = 0; i < values; ++i) {
                if (i > 0)
                    simulateWork(phase.estimatedMs / kProgressGaps);
                emit firmwareUpdateProgressStepProgressChanged(phase.step, kProgressPoints[i]);
            }
        }
        if (fails) {
            emit firmwareUpdateError(update.failureMessage);
            return;
        }
        emit firmwareUpdateProgressStepDone(phase.step, reportedMs(phase.estimatedMs));
    }

    // Before done, so that whoever handles done reads the new version.
    if (!update.keepsOldFirmware)
        m_camera->setFirmwareVersion(update.version);
    emit firmwareUpdateDone();
}

} // namespace Simulator
