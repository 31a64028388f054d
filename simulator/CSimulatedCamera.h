#pragma once

#include "host/ICameraInfo.h"

#include <QHash>
#include <QMutex>

namespace Simulator {

// One simulated camera. The firmware version changes on the worker thread
// that runs an update while the UI thread reads it, so the changeable
// properties are guarded.
class CSimulatedCamera : public Core::DorvixComponents::ICameraInfo
{
public:
    struct Setup
    {
        Setup() = default;
        Setup(const QString &id, const QString &displayName, const QString &modelName,
              const QString &firmwareVersion = QString())
            : id(id)
            , displayName(displayName)
            , modelName(modelName)
            , firmwareVersion(firmwareVersion)
        { }

        QString id;
        QString displayName;
        QString modelName;
        QString firmwareVersion;
        QString secondaryName;
        QString detailText;
        quint32 statusCode = 0;
        bool busy = false;
    };

    CSimulatedCamera(const Setup &setup, const QString &transportLayerId);
    ~CSimulatedCamera() override;

    QString displayName() const override;
    QString id() const override;
    quint32 statusCode() const override;
    QString detailText() const override;
    QString transportLayerId() const override;
    QString currentFirmwareVersion() const override;
    QString modelName() const override;
    QString secondaryName() const override;

    void setFirmwareVersion(const QString &version);
    void setStatusCode(quint32 code);

    // Acquiring continuously or recording.
    bool isBusy() const;
    void setBusy(bool busy);

    // False once the camera has been removed from its pool (unplugged).
    bool isPresent() const;
    void setPresent(bool present);

    // Counts the runs of an update on this camera, per update version.
    int countUpdateRun(const QString &version);

private:
    const Setup m_setup;
    const QString m_transportLayerId;
    mutable QMutex m_mutex;
    QString m_firmwareVersion;
    quint32 m_statusCode;
    bool m_busy;
    bool m_present = true;
    QHash<QString, int> m_updateRuns;
};

using SimulatedCameraPtr = QSharedPointer<CSimulatedCamera>;

} // namespace Simulator
