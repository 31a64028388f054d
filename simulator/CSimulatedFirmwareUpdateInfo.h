#pragma once

#include "host/DorvixEnums.h"
#include "host/ICameraInfo.h"
#include "host/IFirmwareUpdateInfo.h"

#include <QStringList>

namespace Simulator {

// One update of a simulated update file: what it installs, which cameras it
// fits and how its run goes. Immutable, so the worker thread may read it.
class CSimulatedFirmwareUpdateInfo : public Plugin::Dorvix::IFirmwareUpdateInfo
{
    Q_OBJECT

public:
    struct Phase
    {
        Plugin::Dorvix::EFirmwareUpdateStep step = Plugin::Dorvix::CheckPreconditions;
        unsigned int estimatedMs = 0;
        QString description;
    };

    struct Description
    {
        QString fileName;
        QString version;
        QString description;
        QString releaseNotes;
        QStringList modelNames;
        // Empty: any camera of a listed model.
        QStringList cameraIds;
        QVector<Phase> phases;
        bool failureInjected = false;
        Plugin::Dorvix::EFirmwareUpdateStep failureStep = Plugin::Dorvix::CheckPreconditions;
        QString failureMessage;
        // Runs on one camera that fail before the update goes through; 0: every run.
        int failureTimes = 0;
        // Reports done but leaves the camera on its old firmware.
        bool keepsOldFirmware = false;
    };

    explicit CSimulatedFirmwareUpdateInfo(const Description &description,
                                          QObject *parent = nullptr);
    ~CSimulatedFirmwareUpdateInfo() override;

    QString version() const override;
    QString description() const override;
    QString releaseNotes() const override;
    QString fileName() const override;

    const Description &details() const { return m_description; }
    unsigned int totalEstimatedMs() const;
    bool fits(const Core::DorvixComponents::ICameraInfo &camera) const;

private:
    const Description m_description;
};

using SimulatedFirmwareUpdateInfoPtr = QSharedPointer<CSimulatedFirmwareUpdateInfo>;

} // namespace Simulator
