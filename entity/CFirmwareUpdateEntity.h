#pragma once

#include "host/DorvixEnums.h"
#include "host/ICameraInfo.h"
#include "host/IDeviceFirmwareUpdate.h"
#include "host/ITransportLayerInfo.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QVariant>
#include <QVector>

namespace Plugin::FirmwareUpdater::Internal::Entity {

// One node of the update tree: a transport layer, a camera model or a camera
// device, with the state of its update during one wizard run.
class CFirmwareUpdateEntity : public QObject
{
    Q_OBJECT

    Q_PROPERTY(Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::
                       EFirmwareUpdateEntityType entityType READ entityType WRITE setEntityType
                               NOTIFY entityTypeChanged)
    Q_PROPERTY(Plugin::Dorvix::TransportLayerInfoPtr ptrTransportLayerInfo READ transportLayerInfo
                       WRITE setTransportLayerInfo NOTIFY transportLayerInfoChanged)
    Q_PROPERTY(Core::DorvixComponents::CameraInfoPtr ptrCameraInfo READ cameraInfo WRITE
                       setCameraInfo NOTIFY cameraInfoChanged)
    Q_PROPERTY(bool selected READ selected WRITE setSelected NOTIFY selectedChanged)
    Q_PROPERTY(QString selectedFirmware READ selectedFirmware WRITE setSelectedFirmware NOTIFY
                       selectedFirmwareChanged)
    Q_PROPERTY(Plugin::Dorvix::EFirmwareUpdateDirection updateDetails READ updateDetails WRITE
                       setUpdateDetails NOTIFY updateDetailsChanged)
    Q_PROPERTY(
            Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::EFirmwareUpdateStatus
                    updateStatus READ updateStatus WRITE setUpdateStatus NOTIFY updateStatusChanged)
    Q_PROPERTY(
            Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::EFirmwareUpdateResult
                    updateResult READ updateResult WRITE setUpdateResult NOTIFY updateResultChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(Plugin::Dorvix::DeviceFirmwareUpdatePtr ptrDeviceFirmwareUpdate READ
                       deviceFirmwareUpdate WRITE setDeviceFirmwareUpdate NOTIFY
                               deviceFirmwareUpdateChanged)
    Q_PROPERTY(QVector<QPointer<Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity>>
                       children READ children WRITE setChildren NOTIFY childrenChanged)

public:
    // Column number of the tree model and role number of its dataChanged
    // signals at once; deliberately not offset from Qt::UserRole.
    enum ECameraUpdateModelRole : int {
        DisplayName = 0,
        Id = 1,
        SelectionStatus = 2,
        CurrentFirmware = 3,
        SelectedFirmware = 4,
        UpdateDetails = 5,
        UpdateStatus = 6,
        UpdateResult = 7,
        Enabled = 8
    };
    Q_ENUM(ECameraUpdateModelRole)

    enum EFirmwareUpdateStatus : int { Waiting = 0, Updating = 1, Complete = 2 };
    Q_ENUM(EFirmwareUpdateStatus)

    enum EFirmwareUpdateResult : int { OK = 0, Failed = 1, Skipped = 2 };
    Q_ENUM(EFirmwareUpdateResult)

    enum EFirmwareUpdateEntityType : int { TransportLayer = 0, CameraType = 1, CameraDevice = 2 };
    Q_ENUM(EFirmwareUpdateEntityType)

    using EntityPointerVector = QVector<QPointer<CFirmwareUpdateEntity>>;

    explicit CFirmwareUpdateEntity(QPointer<CFirmwareUpdateEntity> parent = nullptr);
    // Copies the update state only: no parent, no children, no update object.
    CFirmwareUpdateEntity(const CFirmwareUpdateEntity &other);
    CFirmwareUpdateEntity &operator=(const CFirmwareUpdateEntity &) = delete;
    ~CFirmwareUpdateEntity() override;

    EFirmwareUpdateEntityType entityType() const { return m_entityType; }
    Plugin::Dorvix::TransportLayerInfoPtr transportLayerInfo() const
    {
        return m_ptrTransportLayerInfo;
    }
    Core::DorvixComponents::CameraInfoPtr cameraInfo() const { return m_ptrCameraInfo; }
    bool selected() const { return m_selected; }
    QString selectedFirmware() const { return m_selectedFirmware; }
    Plugin::Dorvix::EFirmwareUpdateDirection updateDetails() const { return m_updateDetails; }
    EFirmwareUpdateStatus updateStatus() const { return m_updateStatus; }
    EFirmwareUpdateResult updateResult() const { return m_updateResult; }
    bool enabled() const { return m_enabled; }
    Plugin::Dorvix::DeviceFirmwareUpdatePtr deviceFirmwareUpdate() const
    {
        return m_ptrDeviceFirmwareUpdate;
    }
    // When the update of this camera started and ended, for the run's report.
    QDateTime startTime() const { return m_startTime; }
    QDateTime endTime() const { return m_endTime; }
    // Hides QObject::children() on purpose: these are the tree's children.
    EntityPointerVector children() const { return m_children; }

    void addChild(QPointer<CFirmwareUpdateEntity> child);
    int childCount() const { return m_children.size(); }
    QPointer<CFirmwareUpdateEntity> child(int i) const;
    int row() const;
    // The version the device reported after its update; when set, it is the
    // camera's current firmware from then on.
    QString firmwareAfterUpdate() const { return m_firmwareAfterUpdate; }
    void setFirmwareAfterUpdate(const QString &version) { m_firmwareAfterUpdate = version; }
    static int columnCount() { return 8; }
    QVariant data(int column) const;

public slots:
    void setCameraInfo(Core::DorvixComponents::CameraInfoPtr ptrCameraInfo);
    void setSelected(bool selected);
    void setUpdateDetails(Plugin::Dorvix::EFirmwareUpdateDirection updateDetails);
    void setUpdateStatus(
            Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::EFirmwareUpdateStatus
                    updateStatus);
    void setUpdateResult(
            Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::EFirmwareUpdateResult
                    updateResult);
    void setSelectedFirmware(QString selectedFirmware);
    void setEntityType(Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::
                               EFirmwareUpdateEntityType entityType);
    void setTransportLayerInfo(Plugin::Dorvix::TransportLayerInfoPtr ptrTransportLayerInfo);
    void setEnabled(bool enabled);
    void setDeviceFirmwareUpdate(Plugin::Dorvix::DeviceFirmwareUpdatePtr ptrDeviceFirmwareUpdate);
    void
    setChildren(QVector<QPointer<Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity>>
                        children);

signals:
    void cameraInfoChanged(Core::DorvixComponents::CameraInfoPtr ptrCameraInfo);
    void selectedChanged(bool selected);
    void updateDetailsChanged(Plugin::Dorvix::EFirmwareUpdateDirection updateDetails);
    void updateStatusChanged(
            Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::EFirmwareUpdateStatus
                    updateStatus);
    void updateResultChanged(
            Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::EFirmwareUpdateResult
                    updateResult);
    void selectedFirmwareChanged(QString selectedFirmware);
    void entityTypeChanged(Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::
                                   EFirmwareUpdateEntityType entityType);
    void transportLayerInfoChanged(Plugin::Dorvix::TransportLayerInfoPtr ptrTransportLayerInfo);
    void enabledChanged(bool enabled);
    void
    deviceFirmwareUpdateChanged(Plugin::Dorvix::DeviceFirmwareUpdatePtr ptrDeviceFirmwareUpdate);
    void childrenChanged(
            QVector<QPointer<Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity>>
                    children);

private:
    Core::DorvixComponents::CameraInfoPtr m_ptrCameraInfo;
    bool m_selected = false;
    Plugin::Dorvix::EFirmwareUpdateDirection m_updateDetails = Plugin::Dorvix::NotDetermined;
    EFirmwareUpdateStatus m_updateStatus = Waiting;
    EFirmwareUpdateResult m_updateResult = Skipped;
    QString m_selectedFirmware = QStringLiteral("");
    EFirmwareUpdateEntityType m_entityType = TransportLayer;
    Plugin::Dorvix::TransportLayerInfoPtr m_ptrTransportLayerInfo;
    EntityPointerVector m_children;
    bool m_enabled = true;
    Plugin::Dorvix::DeviceFirmwareUpdatePtr m_ptrDeviceFirmwareUpdate;
    QDateTime m_startTime;
    QDateTime m_endTime;
    QString m_firmwareAfterUpdate;
    // Where row() found this node last time; spares the linear search.
    mutable int m_rowHint = -1;
};

} // namespace Plugin::FirmwareUpdater::Internal::Entity
