#pragma once

// Simulated cameras and transport layers described in one line, and a host
// update object that only reports a firmware version.

#include "host/IDeviceFirmwareUpdate.h"
#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedTransportLayer.h"

namespace Fake {

inline Core::DorvixComponents::CameraInfoPtr camera(const QString &id, const QString &model,
                                                    const QString &transportLayerId = QString())
{
    Simulator::CSimulatedCamera::Setup setup;
    setup.id = id;
    setup.displayName = QStringLiteral("Cam ") + id;
    setup.modelName = model;
    setup.firmwareVersion = QStringLiteral("1.0.0");
    return Core::DorvixComponents::CameraInfoPtr(
            new Simulator::CSimulatedCamera(setup, transportLayerId));
}

// "tl1:A/c1,A/c2,B/c3;tl2:;tl3:A/c4": layers split by ';', each "id:" and
// then "model/cameraId" pairs.
inline QVector<Plugin::Dorvix::TransportLayerInfoPtr> layers(const QString &description)
{
    QVector<Plugin::Dorvix::TransportLayerInfoPtr> result;
    for (const QString &layer : description.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString id = layer.section(QLatin1Char(':'), 0, 0);
        auto transportLayer = QSharedPointer<Simulator::CSimulatedTransportLayer>::create(
                id, QStringLiteral("Layer ") + id);
        for (const QString &camera :
             layer.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
            transportLayer->addCamera(Fake::camera(camera.section(QLatin1Char('/'), 1),
                                                   camera.section(QLatin1Char('/'), 0, 0), id));
        result.append(transportLayer);
    }
    return result;
}

class DeviceUpdate : public Plugin::Dorvix::IDeviceFirmwareUpdate
{
public:
    explicit DeviceUpdate(QString current)
        : m_current(std::move(current))
    { }
    QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> firmwareUpdateInfo() const override
    {
        return {};
    }
    Plugin::Dorvix::EFirmwareUpdateDirection direction() const override
    {
        return Plugin::Dorvix::Upgrade;
    }
    QString currentFirmwareVersion() const override { return m_current; }
    QString deviceFirmwareVersion() const override { return m_current; }
    void runUpdate() override { }

private:
    QString m_current;
};

} // namespace Fake
