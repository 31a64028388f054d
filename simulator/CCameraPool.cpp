#include "simulator/CCameraPool.h"

#include "simulator/CCameraEnumerationService.h"
#include "simulator/CCameraStatusService.h"
#include "simulator/CCameraStreamControlService.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CDeviceSelectorService.h"
#include "simulator/CJsonFileReader.h"

#include "host/BaseException.h"

#include <QJsonArray>
#include <QSet>

#include <cmath>

namespace Simulator {

using Core::Exception::BaseException;

namespace {

QString text(const QJsonObject &object, const QString &key, const QString &where, bool required)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() && !required)
        return {};
    if (!value.isString() || (required && value.toString().trimmed().isEmpty()))
        throw BaseException(
                QStringLiteral("%1: \"%2\" must be a %3string.")
                        .arg(where, key, required ? QStringLiteral("non-empty ") : QString()));
    return value.toString();
}

CSimulatedCamera::Setup parseCamera(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        throw BaseException(QStringLiteral("%1: must be an object.").arg(where));
    const QJsonObject object = value.toObject();
    CSimulatedCamera::Setup setup;
    setup.id = text(object, QStringLiteral("id"), where, true);
    setup.displayName = text(object, QStringLiteral("displayName"), where, false);
    if (setup.displayName.isEmpty())
        setup.displayName = setup.id;
    setup.modelName = text(object, QStringLiteral("modelName"), where, true);
    setup.firmwareVersion = text(object, QStringLiteral("firmwareVersion"), where, false);
    setup.secondaryName = text(object, QStringLiteral("secondaryName"), where, false);
    setup.detailText = text(object, QStringLiteral("detailText"), where, false);

    const QJsonValue status = object.value(QStringLiteral("statusCode"));
    if (!status.isUndefined()) {
        const double code = status.toDouble(-1.0);
        if (!status.isDouble() || code < 0.0 || code > 4294967295.0 || std::floor(code) != code)
            throw BaseException(
                    QStringLiteral("%1: \"statusCode\" must be a whole number from 0 to "
                                   "4294967295.")
                            .arg(where));
        setup.statusCode = static_cast<quint32>(code);
    }
    const QJsonValue busy = object.value(QStringLiteral("busy"));
    if (!busy.isUndefined() && !busy.isBool())
        throw BaseException(QStringLiteral("%1: \"busy\" must be true or false.").arg(where));
    setup.busy = busy.toBool(false);
    return setup;
}

} // namespace

CCameraPool::CCameraPool(QObject *parent)
    : QObject(parent)
    , m_enumerationService(new CCameraEnumerationService(this))
    , m_statusService(new CCameraStatusService(this))
    , m_streamControlService(new CCameraStreamControlService(this))
    , m_selectorService(new CDeviceSelectorService())
    , m_firmwareUpdateService(new CDeviceFirmwareUpdateService(this))
{ }

CCameraPool::~CCameraPool()
{
    const auto registries = m_registries;
    for (const QPointer<Core::Service::IServiceRegistry> &registry : registries)
        withdraw(registry);
}

SimulatedTransportLayerPtr CCameraPool::addTransportLayer(const QString &id,
                                                          const QString &displayName)
{
    if (id.isEmpty())
        return {};
    for (const SimulatedTransportLayerPtr &layer : qAsConst(m_layers)) {
        if (layer->id() == id)
            return {};
    }
    m_layers.append(SimulatedTransportLayerPtr::create(id, displayName));
    return m_layers.last();
}

SimulatedCameraPtr CCameraPool::addCamera(const QString &transportLayerId,
                                          const CSimulatedCamera::Setup &setup)
{
    if (setup.id.isEmpty() || camera(setup.id))
        return {};
    for (const SimulatedTransportLayerPtr &layer : qAsConst(m_layers)) {
        if (layer->id() == transportLayerId) {
            const auto added = SimulatedCameraPtr::create(setup, transportLayerId);
            layer->addCamera(added);
            m_cameras.append(added);
            m_camerasById.insert(added->id(), added);
            return added;
        }
    }
    return {};
}

bool CCameraPool::removeCamera(const QString &cameraId)
{
    for (int i = 0; i < m_cameras.size(); ++i) {
        const SimulatedCameraPtr removed = m_cameras.at(i);
        if (removed->id() != cameraId)
            continue;
        m_cameras.remove(i);
        m_camerasById.remove(cameraId);
        for (const SimulatedTransportLayerPtr &layer : qAsConst(m_layers))
            layer->removeCamera(cameraId);
        removed->setPresent(false);
        return true;
    }
    return false;
}

void CCameraPool::clear()
{
    for (const SimulatedCameraPtr &camera : qAsConst(m_cameras))
        camera->setPresent(false);
    m_cameras.clear();
    m_camerasById.clear();
    m_layers.clear();
}

void CCameraPool::loadSetupFile(const QString &filePath)
{
    loadSetup(CJsonFileReader::readObject(filePath, QStringLiteral("Camera setup file")));
}

void CCameraPool::loadSetup(const QJsonObject &setup)
{
    // Everything is checked before anything changes.
    struct Layer
    {
        QString id;
        QString displayName;
        QVector<CSimulatedCamera::Setup> cameras;
    };
    QVector<Layer> layers;
    QSet<QString> layerIds;
    QSet<QString> cameraIds;

    const QString where = QStringLiteral("Camera setup");
    const QJsonValue timeScale = setup.value(QStringLiteral("timeScale"));
    if (!timeScale.isUndefined() && (!timeScale.isDouble() || timeScale.toDouble() < 0.0))
        throw BaseException(
                QStringLiteral("%1: \"timeScale\" must be a number of 0 or more.").arg(where));
    const QJsonValue layerList = setup.value(QStringLiteral("transportLayers"));
    if (!layerList.isArray())
        throw BaseException(QStringLiteral("%1: \"transportLayers\" must be a list.").arg(where));
    const QJsonArray layerArray = layerList.toArray();
    for (int i = 0; i < layerArray.size(); ++i) {
        const QString layerWhere = QStringLiteral("%1, transport layer %2").arg(where, QString::number(i + 1));
        if (!layerArray.at(i).isObject())
            throw BaseException(QStringLiteral("%1: must be an object.").arg(layerWhere));
        const QJsonObject object = layerArray.at(i).toObject();
        Layer layer;
        layer.id = text(object, QStringLiteral("id"), layerWhere, true);
        layer.displayName = text(object, QStringLiteral("displayName"), layerWhere, false);
        if (layer.displayName.isEmpty())
            layer.displayName = layer.id;
        if (layerIds.contains(layer.id))
            throw BaseException(
                    QStringLiteral("%1: id \"%2\" is used twice.").arg(layerWhere, layer.id));
        layerIds.insert(layer.id);
        const QJsonValue cameras = object.value(QStringLiteral("cameras"));
        if (!cameras.isUndefined() && !cameras.isArray())
            throw BaseException(QStringLiteral("%1: \"cameras\" must be a list.").arg(layerWhere));
        const QJsonArray cameraArray = cameras.toArray();
        for (int j = 0; j < cameraArray.size(); ++j) {
            const CSimulatedCamera::Setup camera = parseCamera(
                    cameraArray.at(j), QStringLiteral("%1, camera %2").arg(layerWhere, QString::number(j + 1)));
            if (cameraIds.contains(camera.id))
                throw BaseException(QStringLiteral("%1: camera id \"%2\" is used twice.")
                                            .arg(where, camera.id));
            cameraIds.insert(camera.id);
            layer.cameras.append(camera);
        }
        layers.append(layer);
    }

    clear();
    if (!timeScale.isUndefined())
        setTimeScale(timeScale.toDouble());
    for (const Layer &layer : qAsConst(layers)) {
        addTransportLayer(layer.id, layer.displayName);
        for (const CSimulatedCamera::Setup &camera : layer.cameras)
            addCamera(layer.id, camera);
    }
}

QVector<Plugin::Dorvix::TransportLayerInfoPtr> CCameraPool::transportLayers() const
{
    QVector<Plugin::Dorvix::TransportLayerInfoPtr> layers;
    for (const SimulatedTransportLayerPtr &layer : m_layers)
        layers.append(layer);
    return layers;
}

SimulatedCameraPtr CCameraPool::camera(const QString &cameraId) const
{
    return m_camerasById.value(cameraId);
}

QVector<SimulatedCameraPtr> CCameraPool::cameras() const
{
    return m_cameras;
}

bool CCameraPool::setCameraBusy(const QString &cameraId, bool busy)
{
    const SimulatedCameraPtr found = camera(cameraId);
    if (found)
        found->setBusy(busy);
    return !found.isNull();
}

void CCameraPool::stopAllCameras()
{
    for (const SimulatedCameraPtr &camera : qAsConst(m_cameras))
        camera->setBusy(false);
}

void CCameraPool::setTimeScale(double scale)
{
    m_timeScale = std::isfinite(scale) && scale > 0.0 ? scale : 0.0;
}

void CCameraPool::announceEnumerationChanged()
{
    m_enumerationService->refreshEnumeration();
}

void CCameraPool::selectCamera(const QString &cameraId)
{
    const SimulatedCameraPtr picked = cameraId.isEmpty() ? SimulatedCameraPtr() : camera(cameraId);
    m_selectorService->select(picked);
}

QList<QSharedPointer<Core::Service::IService>> CCameraPool::services() const
{
    return { m_enumerationService, m_statusService, m_streamControlService, m_selectorService,
             m_firmwareUpdateService };
}

void CCameraPool::publish(QPointer<Core::Service::IServiceRegistry> registry)
{
    if (!registry)
        return;
    for (const QSharedPointer<Core::Service::IService> &service : services())
        registry->addService(service);
    if (!m_registries.contains(registry))
        m_registries.append(registry);
}

void CCameraPool::withdraw(QPointer<Core::Service::IServiceRegistry> registry)
{
    m_registries.removeAll(registry);
    if (!registry)
        return;
    for (const QSharedPointer<Core::Service::IService> &service : services())
        registry->removeService(service);
}

QSharedPointer<CCameraEnumerationService> CCameraPool::enumerationService() const
{
    return m_enumerationService;
}

QSharedPointer<CCameraStatusService> CCameraPool::statusService() const
{
    return m_statusService;
}

QSharedPointer<CCameraStreamControlService> CCameraPool::streamControlService() const
{
    return m_streamControlService;
}

QSharedPointer<CDeviceSelectorService> CCameraPool::selectorService() const
{
    return m_selectorService;
}

QSharedPointer<CDeviceFirmwareUpdateService> CCameraPool::firmwareUpdateService() const
{
    return m_firmwareUpdateService;
}

} // namespace Simulator
