#pragma once

#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedTransportLayer.h"

#include "host/IServiceRegistry.h"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QPointer>

namespace Simulator {

class CCameraEnumerationService;
class CCameraStatusService;
class CCameraStreamControlService;
class CDeviceSelectorService;
class CDeviceFirmwareUpdateService;

// A simulated camera pool: owns transport layers and cameras and the camera
// services the viewer would publish for them. Use it on the UI thread; only
// the update objects it hands out run elsewhere.
class CCameraPool : public QObject
{
    Q_OBJECT

public:
    explicit CCameraPool(QObject *parent = nullptr);
    // Withdraws the services from every registry they are still published in.
    ~CCameraPool() override;

    // Null when the id is empty or taken.
    SimulatedTransportLayerPtr addTransportLayer(const QString &id, const QString &displayName);
    // Null when the layer is unknown or the camera id empty or taken.
    SimulatedCameraPtr addCamera(const QString &transportLayerId,
                                 const CSimulatedCamera::Setup &setup);
    // The camera stays valid for whoever holds it but is no longer reachable.
    bool removeCamera(const QString &cameraId);
    void clear();

    // Replaces the whole setup; throws Core::Exception::BaseException and
    // keeps the old setup when the file or document is unusable.
    void loadSetupFile(const QString &filePath);
    void loadSetup(const QJsonObject &setup);

    QVector<Plugin::Dorvix::TransportLayerInfoPtr> transportLayers() const;
    SimulatedCameraPtr camera(const QString &cameraId) const;
    QVector<SimulatedCameraPtr> cameras() const;

    bool setCameraBusy(const QString &cameraId, bool busy);
    void stopAllCameras();

    // Factor on every simulated duration: 0 runs as fast as possible, 1 in
    // real time. Negative or non-finite values count as 0. Update objects
    // take the value in force when they are created.
    double timeScale() const { return m_timeScale; }
    void setTimeScale(double scale);

    // Lets listeners of enumerationChanged() know about changes made here,
    // from the event loop like a refresh.
    void announceEnumerationChanged();
    // Reports the camera as picked in the camera selector; null for an
    // unknown or empty id.
    void selectCamera(const QString &cameraId);

    void publish(QPointer<Core::Service::IServiceRegistry> registry);
    void withdraw(QPointer<Core::Service::IServiceRegistry> registry);

    QSharedPointer<CCameraEnumerationService> enumerationService() const;
    QSharedPointer<CCameraStatusService> statusService() const;
    QSharedPointer<CCameraStreamControlService> streamControlService() const;
    QSharedPointer<CDeviceSelectorService> selectorService() const;
    QSharedPointer<CDeviceFirmwareUpdateService> firmwareUpdateService() const;

private:
    QList<QSharedPointer<Core::Service::IService>> services() const;

    QVector<SimulatedTransportLayerPtr> m_layers;
    QVector<SimulatedCameraPtr> m_cameras;
    // Busy checks look cameras up by id for every camera of the enumeration.
    QHash<QString, SimulatedCameraPtr> m_camerasById;
    double m_timeScale = 0.0;
    QSharedPointer<CCameraEnumerationService> m_enumerationService;
    QSharedPointer<CCameraStatusService> m_statusService;
    QSharedPointer<CCameraStreamControlService> m_streamControlService;
    QSharedPointer<CDeviceSelectorService> m_selectorService;
    QSharedPointer<CDeviceFirmwareUpdateService> m_firmwareUpdateService;
    QList<QPointer<Core::Service::IServiceRegistry>> m_registries;
};

} // namespace Simulator
