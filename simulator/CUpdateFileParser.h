#pragma once

#include "simulator/CSimulatedFirmwareUpdateInfo.h"

#include <QJsonObject>

namespace Simulator {

// The simulator's update file: a JSON object whose "updates" array lists one
// or more updates (see docs/simulator.md). Throws
// Core::Exception::BaseException for anything it cannot use.
class CUpdateFileParser
{
public:
    static constexpr int MaxPhases = 100;
    static constexpr unsigned int MaxPhaseMs = 3600000;

    static QVector<SimulatedFirmwareUpdateInfoPtr> readFile(const QString &filePath);
    // fileName is the default for updates that name no file of their own.
    static QVector<SimulatedFirmwareUpdateInfoPtr> parse(const QJsonObject &root,
                                                         const QString &fileName);
    // A step by name ("DeviceReset") or number (6); false when neither.
    static bool parseStep(const QJsonValue &value, Plugin::Dorvix::EFirmwareUpdateStep &step);
};

} // namespace Simulator
