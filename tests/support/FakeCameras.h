#pragma once

// Simulated cameras and transport layers described in one line, and update
// objects for them.

#include "simulator/CSimulatedFirmwareUpdate.h"
#include "simulator/CSimulatedTransportLayer.h"

namespace Fake {

inline Core::DorvixComponents::CameraInfoPtr camera(const QString &id, const QString &model,
                                                    const QString &transportLayerId = QString())
{
    return Simulator::SimulatedCameraPtr::create(
            Simulator::CSimulatedCamera::Setup(id, QStringLiteral("Cam ") + id, model,
                                               QStringLiteral("1.0.0")),
            transportLayerId);
}

// "tl1:A/c1,A/c2,B/c3;tl2:;tl3:A/c4": layers split by ';', each "id:" and
// then "model/cameraId" pairs.
inline QVector<Plugin::Dorvix::TransportLayerInfoPtr> layers(const QString &description)
{
    QVector<Plugin::Dorvix::TransportLayerInfoPtr> result;
    for (const QString &layer : description.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString id = layer.section(QLatin1Char(':'), 0, 0);
        auto transportLayer
                = Simulator::SimulatedTransportLayerPtr::create(id, QStringLiteral("Layer ") + id);
        for (const QString &camera :
             layer.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
            transportLayer->addCamera(Fake::camera(camera.section(QLatin1Char('/'), 1),
                                                   camera.section(QLatin1Char('/'), 0, 0), id));
        result.append(transportLayer);
    }
    return result;
}

// An update object planned on a camera with this firmware installed.
inline Plugin::Dorvix::DeviceFirmwareUpdatePtr update(const QString &installed)
{
    const Simulator::CSimulatedCamera::Setup setup("u", "u", "M", installed);
    return Plugin::Dorvix::DeviceFirmwareUpdatePtr(new Simulator::CSimulatedFirmwareUpdate(
            Simulator::SimulatedCameraPtr::create(setup, QString()),
            Simulator::SimulatedFirmwareUpdateInfoPtr::create(
                    Simulator::CSimulatedFirmwareUpdateInfo::Description()),
            0.0));
}

} // namespace Fake
