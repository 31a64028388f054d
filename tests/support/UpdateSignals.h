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
    const auto on = [=](auto signal, auto slot) {
        QObject::connect(sender, signal, context, slot, type);
    };
    on(&Sender::firmwareUpdateBegin,
       [=](QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> info, uint ms) {
           note(QStringLiteral("begin %1%2").arg(info ? info->version() + ' ' : QString()).arg(ms));
       });
    on(&Sender::firmwareUpdateProgressStepBegin,
       [=](EFirmwareUpdateStep step, uint ms, const QString &text) {
           note(QStringLiteral("step %1 %2 %3").arg(step).arg(ms).arg(text).trimmed());
       });
    on(&Sender::firmwareUpdateProgressStepProgressChanged,
       [=](EFirmwareUpdateStep step, double percent) {
           note(QStringLiteral("progress %1 %2").arg(step).arg(percent));
       });
    on(&Sender::firmwareUpdateProgressStepDone, [=](EFirmwareUpdateStep step, uint ms) {
        note(QStringLiteral("stepDone %1 %2").arg(step).arg(ms));
    });
    on(&Sender::firmwareUpdateDone, [=] { note(QStringLiteral("done")); });
    on(&Sender::firmwareUpdateError, [=](const QString &message) { note("error " + message); });
}

} // namespace Probe
