#pragma once

// The progress signals of a host update, or of anything that forwards them
// under the same names, as one token each in the order they arrive:
// "begin 2.0.0 800", "step 5 400 Uploading", "progress 5 25",
// "stepDone 5 400", "done", "error Broke".

#include "host/IDeviceFirmwareUpdate.h"

#include <functional>

namespace Probe {

template<typename Sender>
void recordUpdateSignals(Sender *sender, QObject *context,
                         const std::function<void(const QString &)> &note,
                         Qt::ConnectionType type = Qt::AutoConnection)
{
    using Plugin::Dorvix::EFirmwareUpdateStep;
    QObject::connect(
            sender, &Sender::firmwareUpdateBegin, context,
            [=](QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> info, uint ms) {
                note(QStringLiteral("begin %1%2")
                             .arg(info ? info->version() + ' ' : QString())
                             .arg(ms));
            },
            type);
    QObject::connect(
            sender, &Sender::firmwareUpdateProgressStepBegin, context,
            [=](EFirmwareUpdateStep step, uint ms, const QString &text) {
                note(QStringLiteral("step %1 %2 %3").arg(step).arg(ms).arg(text).trimmed());
            },
            type);
    QObject::connect(
            sender, &Sender::firmwareUpdateProgressStepProgressChanged, context,
            [=](EFirmwareUpdateStep step, double percent) {
                note(QStringLiteral("progress %1 %2").arg(step).arg(percent));
            },
            type);
    QObject::connect(
            sender, &Sender::firmwareUpdateProgressStepDone, context,
            [=](EFirmwareUpdateStep step, uint ms) {
                note(QStringLiteral("stepDone %1 %2").arg(step).arg(ms));
            },
            type);
    QObject::connect(
            sender, &Sender::firmwareUpdateDone, context, [=]() { note(QStringLiteral("done")); },
            type);
    QObject::connect(
            sender, &Sender::firmwareUpdateError, context,
            [=](const QString &message) { note(QStringLiteral("error ") + message); }, type);
}

} // namespace Probe
