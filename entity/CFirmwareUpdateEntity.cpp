#include "entity/CFirmwareUpdateEntity.h"

namespace Plugin::FirmwareUpdater::Internal::Entity {

namespace {

// Everything a node carries must also cross queued connections and QVariant.
void registerMetaTypes()
{
    qRegisterMetaType<CFirmwareUpdateEntity::EFirmwareUpdateStatus>();
    qRegisterMetaType<CFirmwareUpdateEntity::EFirmwareUpdateResult>();
    qRegisterMetaType<CFirmwareUpdateEntity::EFirmwareUpdateEntityType>();
    qRegisterMetaType<CFirmwareUpdateEntity::ECameraUpdateModelRole>();
    qRegisterMetaType<Core::DorvixComponents::CameraInfoPtr>();
    qRegisterMetaType<Plugin::Dorvix::TransportLayerInfoPtr>();
    qRegisterMetaType<Plugin::Dorvix::DeviceFirmwareUpdatePtr>();
    qRegisterMetaType<Plugin::Dorvix::EFirmwareUpdateDirection>();
    qRegisterMetaType<QPointer<CFirmwareUpdateEntity>>();
    qRegisterMetaType<CFirmwareUpdateEntity::EntityPointerVector>();
}
Q_CONSTRUCTOR_FUNCTION(registerMetaTypes)

CFirmwareUpdateEntity *target(const QPointer<CFirmwareUpdateEntity> &pointer)
{
    return pointer.data();
}

} // namespace

CFirmwareUpdateEntity::CFirmwareUpdateEntity(QPointer<CFirmwareUpdateEntity> parent)
    : QObject(parent.data())
{ }

CFirmwareUpdateEntity::CFirmwareUpdateEntity(const CFirmwareUpdateEntity &other)
    : QObject(nullptr)
    , m_ptrCameraInfo(other.m_ptrCameraInfo)
    , m_selected(other.m_selected)
    , m_updateDetails(other.m_updateDetails)
    , m_updateStatus(other.m_updateStatus)
    , m_updateResult(other.m_updateResult)
    , m_selectedFirmware(other.m_selectedFirmware)
    , m_entityType(other.m_entityType)
    , m_ptrTransportLayerInfo(other.m_ptrTransportLayerInfo)
    , m_enabled(other.m_enabled)
    , m_firmwareAfterUpdate(other.m_firmwareAfterUpdate)
{ }

// Only the QObject children go with this node. A node listed in m_children
// that was adopted by another parent since (a flat list's root) stays alive.
CFirmwareUpdateEntity::~CFirmwareUpdateEntity() = default;

void CFirmwareUpdateEntity::addChild(QPointer<CFirmwareUpdateEntity> child)
{
    if (!child)
        return;
    for (const auto &existing : qAsConst(m_children)) {
        if (target(existing) == target(child))
            return;
    }
    child->setParent(this);
    child->m_rowHint = m_children.size();
    m_children.append(child);
}

QPointer<CFirmwareUpdateEntity> CFirmwareUpdateEntity::child(int i) const
{
    if (i < 0 || i >= m_children.size())
        return nullptr;
    return m_children.at(i);
}

int CFirmwareUpdateEntity::row() const
{
    QObject *owner = parent();
    if (!owner)
        return 0;
    const auto *parentEntity = qobject_cast<const CFirmwareUpdateEntity *>(owner);
    if (!parentEntity)
        return -1;
    const EntityPointerVector &siblings = parentEntity->m_children;
    if (m_rowHint >= 0 && m_rowHint < siblings.size() && target(siblings.at(m_rowHint)) == this)
        return m_rowHint;
    for (int i = 0; i < siblings.size(); ++i) {
        if (target(siblings.at(i)) == this) {
            m_rowHint = i;
            return i;
        }
    }
    return -1;
}

QVariant CFirmwareUpdateEntity::data(int column) const
{
    if (column < 0 || column >= columnCount() || column > UpdateResult)
        return {};
    // A node handed in from outside may lack its host objects: show it empty
    // rather than crash the views that paint it.
    const bool layerNode = m_entityType == TransportLayer;
    if ((column == DisplayName || column == Id)
        && (layerNode ? m_ptrTransportLayerInfo.isNull() : m_ptrCameraInfo.isNull()))
        return QString();
    switch (column) {
    case DisplayName:
        switch (m_entityType) {
        case TransportLayer:
            return m_ptrTransportLayerInfo->displayName();
        case CameraType:
            return m_ptrCameraInfo->modelName();
        case CameraDevice:
            return m_ptrCameraInfo->displayName();
        }
        return {};
    case Id:
        if (layerNode)
            return m_ptrTransportLayerInfo->id();
        return m_ptrCameraInfo->id();
    case SelectionStatus:
        return m_selected;
    case CurrentFirmware:
        if (m_entityType != CameraDevice)
            return {};
        if (!m_firmwareAfterUpdate.isEmpty())
            return m_firmwareAfterUpdate;
        if (m_ptrDeviceFirmwareUpdate)
            return m_ptrDeviceFirmwareUpdate->currentFirmwareVersion();
        return m_ptrCameraInfo ? m_ptrCameraInfo->currentFirmwareVersion() : QString();
    case SelectedFirmware:
        return m_selectedFirmware;
    case UpdateDetails:
        return static_cast<int>(m_updateDetails);
    case UpdateStatus:
        return QVariant::fromValue(m_updateStatus);
    case UpdateResult:
        return QVariant::fromValue(m_updateResult);
    }
    return {};
}

void CFirmwareUpdateEntity::setCameraInfo(Core::DorvixComponents::CameraInfoPtr ptrCameraInfo)
{
    if (m_ptrCameraInfo.data() == ptrCameraInfo.data())
        return;
    m_ptrCameraInfo = ptrCameraInfo;
    emit cameraInfoChanged(m_ptrCameraInfo);
}

void CFirmwareUpdateEntity::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    emit selectedChanged(m_selected);
}

void CFirmwareUpdateEntity::setUpdateDetails(Plugin::Dorvix::EFirmwareUpdateDirection updateDetails)
{
    if (m_updateDetails == updateDetails)
        return;
    m_updateDetails = updateDetails;
    emit updateDetailsChanged(m_updateDetails);
}

void CFirmwareUpdateEntity::setUpdateStatus(EFirmwareUpdateStatus updateStatus)
{
    if (m_updateStatus == updateStatus)
        return;
    m_updateStatus = updateStatus;
    if (updateStatus == Updating)
        m_startTime = QDateTime::currentDateTime();
    else if (updateStatus == Complete)
        m_endTime = QDateTime::currentDateTime();
    emit updateStatusChanged(m_updateStatus);
}

void CFirmwareUpdateEntity::setUpdateResult(EFirmwareUpdateResult updateResult)
{
    if (m_updateResult == updateResult)
        return;
    m_updateResult = updateResult;
    emit updateResultChanged(m_updateResult);
}

void CFirmwareUpdateEntity::setSelectedFirmware(QString selectedFirmware)
{
    if (m_selectedFirmware == selectedFirmware)
        return;
    m_selectedFirmware = selectedFirmware;
    emit selectedFirmwareChanged(m_selectedFirmware);
}

void CFirmwareUpdateEntity::setEntityType(EFirmwareUpdateEntityType entityType)
{
    if (m_entityType == entityType)
        return;
    m_entityType = entityType;
    emit entityTypeChanged(m_entityType);
}

void CFirmwareUpdateEntity::setTransportLayerInfo(
        Plugin::Dorvix::TransportLayerInfoPtr ptrTransportLayerInfo)
{
    if (m_ptrTransportLayerInfo.data() == ptrTransportLayerInfo.data())
        return;
    m_ptrTransportLayerInfo = ptrTransportLayerInfo;
    emit transportLayerInfoChanged(m_ptrTransportLayerInfo);
}

void CFirmwareUpdateEntity::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    emit enabledChanged(m_enabled);
}

void CFirmwareUpdateEntity::setDeviceFirmwareUpdate(
        Plugin::Dorvix::DeviceFirmwareUpdatePtr ptrDeviceFirmwareUpdate)
{
    if (m_ptrDeviceFirmwareUpdate.data() == ptrDeviceFirmwareUpdate.data())
        return;
    m_ptrDeviceFirmwareUpdate = ptrDeviceFirmwareUpdate;
    emit deviceFirmwareUpdateChanged(m_ptrDeviceFirmwareUpdate);
}

void CFirmwareUpdateEntity::setChildren(QVector<QPointer<CFirmwareUpdateEntity>> children)
{
    const bool same
            = std::equal(m_children.cbegin(), m_children.cend(), children.cbegin(), children.cend(),
                         [](const auto &a, const auto &b) { return target(a) == target(b); });
    if (same)
        return;
    m_children = children;
    emit childrenChanged(m_children);
}

} // namespace Plugin::FirmwareUpdater::Internal::Entity
