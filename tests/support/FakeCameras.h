#pragma once

// Minimal in-memory cameras and transport layers for model-level tests.

#include "host/ICameraInfo.h"
#include "host/IDeviceFirmwareUpdate.h"
#include "host/ITransportLayerInfo.h"

#include <QSharedPointer>
#include <QStringList>
#include <QVector>

namespace Fake {

class Camera : public Core::DorvixComponents::ICameraInfo
{
public:
    Camera(QString id, QString model, QString transportLayerId = QString(),
           QString firmware = QStringLiteral("1.0.0"))
        : m_id(std::move(id))
        , m_model(std::move(model))
        , m_transportLayerId(std::move(transportLayerId))
        , m_firmware(std::move(firmware))
    { }

    QString displayName() const override { return QStringLiteral("Cam ") + m_id; }
    QString id() const override { return m_id; }
    quint32 statusCode() const override { return 0; }
    QString detailText() const override { return {}; }
    QString transportLayerId() const override { return m_transportLayerId; }
    QString currentFirmwareVersion() const override { return m_firmware; }
    QString modelName() const override { return m_model; }
    QString secondaryName() const override { return {}; }

private:
    QString m_id;
    QString m_model;
    QString m_transportLayerId;
    QString m_firmware;
};

class TransportLayer : public Plugin::Dorvix::ITransportLayerInfo
{
public:
    explicit TransportLayer(QString id)
        : m_id(std::move(id))
    { }

    QVector<Core::DorvixComponents::CameraInfoPtr> cameras() const override { return m_cameras; }
    QString displayName() const override { return QStringLiteral("Layer ") + m_id; }
    QString id() const override { return m_id; }

    void add(const QString &cameraId, const QString &model)
    {
        m_cameras.append(Core::DorvixComponents::CameraInfoPtr(new Camera(cameraId, model, m_id)));
    }

private:
    QString m_id;
    QVector<Core::DorvixComponents::CameraInfoPtr> m_cameras;
};

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

inline Core::DorvixComponents::CameraInfoPtr camera(const QString &id, const QString &model,
                                                   const QString &transportLayerId = QString())
{
    return Core::DorvixComponents::CameraInfoPtr(new Camera(id, model, transportLayerId));
}

inline Plugin::Dorvix::TransportLayerInfoPtr layer(const QString &id)
{
    return Plugin::Dorvix::TransportLayerInfoPtr(new TransportLayer(id));
}

// "tl1:A/c1,A/c2,B/c3;tl2:;tl3:A/c4": layers separated by ';', each "id:"
// followed by "model/cameraId" pairs.
inline QVector<Plugin::Dorvix::TransportLayerInfoPtr> layers(const QString &description)
{
    QVector<Plugin::Dorvix::TransportLayerInfoPtr> result;
    if (description.isEmpty())
        return result;
    for (const QString &layer : description.split(QLatin1Char(';'))) {
        const int colon = layer.indexOf(QLatin1Char(':'));
        auto transportLayer = QSharedPointer<TransportLayer>::create(layer.left(colon));
        for (const QString &camera :
             layer.mid(colon + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList parts = camera.split(QLatin1Char('/'));
            transportLayer->add(parts.at(1), parts.at(0));
        }
        result.append(transportLayer);
    }
    return result;
}

} // namespace Fake
