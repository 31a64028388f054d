#include "state/CFirmwareUpdateThread.h"

#include "host/BaseException.h"

#include <QCoreApplication>

#include <exception>

namespace Plugin::FirmwareUpdater::Internal::State {

using Plugin::Dorvix::EFirmwareUpdateStep;
using Plugin::Dorvix::IDeviceFirmwareUpdate;
using Plugin::Dorvix::IFirmwareUpdateInfo;

CFirmwareUpdateThread::CFirmwareUpdateThread(QObject *parent)
    : QThread(parent)
{
    // Queued forwarding looks the argument types up by name; without these
    // the step and begin signals would be dropped on their way to the UI.
    qRegisterMetaType<EFirmwareUpdateStep>("Plugin::Dorvix::EFirmwareUpdateStep");
    qRegisterMetaType<QSharedPointer<IFirmwareUpdateInfo>>();
}

CFirmwareUpdateThread::~CFirmwareUpdateThread() = default;

void CFirmwareUpdateThread::setFirmwareUpdate(Plugin::Dorvix::DeviceFirmwareUpdatePtr update)
{
    // Checked first: while running, the field belongs to run().
    if (isRunning())
        return;
    if (update == m_update)
        return;
    m_update = update;
    if (m_update)
        m_update->moveToThread(this);
}

void CFirmwareUpdateThread::run()
{
    IDeviceFirmwareUpdate *update = m_update.data();
    if (!update)
        return;

    // This object lives in the UI thread, so each forward is queued there.
    connect(update, &IDeviceFirmwareUpdate::firmwareUpdateDone, this,
            [this]() { emit firmwareUpdateDone(); });
    connect(update, &IDeviceFirmwareUpdate::firmwareUpdateError, this,
            [this](const QString &errorMessage) { emit firmwareUpdateError(errorMessage); });
    connect(update, &IDeviceFirmwareUpdate::firmwareUpdateBegin, this,
            [this](QSharedPointer<IFirmwareUpdateInfo> info, unsigned int estimatedDuration) {
                emit firmwareUpdateBegin(info, estimatedDuration);
            });
    connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepBegin, this,
            [this](EFirmwareUpdateStep step, unsigned int estimate, const QString &description) {
                emit firmwareUpdateProgressStepBegin(step, estimate, description);
            });
    connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepDone, this,
            [this](EFirmwareUpdateStep step, unsigned int estimate) {
                emit firmwareUpdateProgressStepDone(step, estimate);
            });
    connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepProgressChanged, this,
            [this](EFirmwareUpdateStep step, double percent) {
                emit firmwareUpdateProgressStepProgressChanged(step, percent);
            });

    // An exception must not leave the worker (that ends the viewer); it is
    // this camera's error, reported after everything the host emitted.
    const QString unexpected
            = QStringLiteral("Internal error: Firmware update raised an exception: %1");
    QString message;
    try {
        update->runUpdate();
    } catch (const Core::Exception::BaseException &exception) {
        message = exception.getMessage();
        if (message.isEmpty())
            message = unexpected.arg(QStringLiteral("unknown error"));
    } catch (const std::exception &exception) {
        message = unexpected.arg(QString::fromLocal8Bit(exception.what()));
    } catch (...) {
        message = unexpected.arg(QStringLiteral("unknown error"));
    }
    if (!message.isEmpty()) {
        QMetaObject::invokeMethod(
                this, [this, message] { emit firmwareUpdateError(message); },
                Qt::QueuedConnection);
    }

    QObject::disconnect(update, nullptr, this, nullptr);
    update->moveToThread(QCoreApplication::instance()->thread());
    m_update.reset();
}

} // namespace Plugin::FirmwareUpdater::Internal::State
