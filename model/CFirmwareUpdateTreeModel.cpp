#include "model/CFirmwareUpdateTreeModel.h"

#include <QCollator>
#include <QCoreApplication>
#include <QMap>

#include <algorithm>

namespace Plugin::FirmwareUpdater::Internal::Model {

using Entity::CFirmwareUpdateEntity;

namespace {

bool isCameraNode(const CFirmwareUpdateEntity *entity)
{
    return entity->entityType() != CFirmwareUpdateEntity::TransportLayer
            && !entity->cameraInfo().isNull();
}

void collectDeviceNames(const CFirmwareUpdateEntity *node, QHash<QString, int> *counts)
{
    if (!node)
        return;
    if (node->entityType() == CFirmwareUpdateEntity::CameraDevice && node->cameraInfo())
        ++(*counts)[node->cameraInfo()->displayName()];
    for (const QPointer<CFirmwareUpdateEntity> &child : node->children())
        collectDeviceNames(child.data(), counts);
}

const char *const kContext = "Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel";

QString identityToolTip(const CFirmwareUpdateEntity &entity)
{
    const Core::DorvixComponents::CameraInfoPtr camera = entity.cameraInfo();
    const Plugin::Dorvix::TransportLayerInfoPtr layer = entity.transportLayerInfo();
    const auto line = [](const char *label, const QString &value) {
        return QCoreApplication::translate(kContext, label) + QLatin1Char(' ')
                + value.toHtmlEscaped();
    };
    // Rich text on purpose, so a name that looks like markup is shown as typed.
    return QStringLiteral("<qt>")
            + QStringList { line(QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Model::"
                                                   "CFirmwareUpdateTreeModel",
                                                   "Name:"),
                                 camera->displayName()),
                            line(QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Model::"
                                                   "CFirmwareUpdateTreeModel",
                                                   "Id:"),
                                 camera->id()),
                            line(QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Model::"
                                                   "CFirmwareUpdateTreeModel",
                                                   "Model:"),
                                 camera->modelName()),
                            line(QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Model::"
                                                   "CFirmwareUpdateTreeModel",
                                                   "Transport layer:"),
                                 layer ? layer->displayName() : camera->transportLayerId()),
                            line(QT_TRANSLATE_NOOP("Plugin::FirmwareUpdater::Internal::Model::"
                                                   "CFirmwareUpdateTreeModel",
                                                   "Firmware:"),
                                 entity.data(CFirmwareUpdateEntity::CurrentFirmware).toString()) }
                      .join(QStringLiteral("<br>"))
            + QStringLiteral("</qt>");
}
bool hasCheckedCamera(const CFirmwareUpdateEntity *node, const QString &cameraModel)
{
    if (!node)
        return false;
    if (node->entityType() == CFirmwareUpdateEntity::CameraDevice && node->selected()
        && node->cameraInfo() && node->cameraInfo()->modelName() == cameraModel)
        return true;
    for (int i = 0; i < node->childCount(); ++i) {
        if (hasCheckedCamera(node->child(i).data(), cameraModel))
            return true;
    }
    return false;
}
// The shipped catalogues carry these labels in the "QObject" context. They are
// translated when asked for, so the headers follow a language switch; the
// others are internal names.
struct HeaderLabel
{
    const char *text;
    bool translated;
};
const HeaderLabel HeaderLabels[] = { { QT_TRANSLATE_NOOP("QObject", "Cameras"), true },
                                     { "Id", false },
                                     { "SelectionStatus", false },
                                     { QT_TRANSLATE_NOOP("QObject", "Current Firmware"), true },
                                     { QT_TRANSLATE_NOOP("QObject", "Firmware Selected"), true },
                                     { QT_TRANSLATE_NOOP("QObject", "Details"), true },
                                     { QT_TRANSLATE_NOOP("QObject", "Details"), true },
                                     { QT_TRANSLATE_NOOP("QObject", "Details"), true },
                                     { "Enabled", false } };

} // namespace

bool CFirmwareUpdateTreeModel::numericLess(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        // The C locale's collation compares code units only, numbers included.
        QCollator c(QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale());
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int order = collator.compare(a, b);
    // Names equal but for case still sort the same way every time.
    return order != 0 ? order < 0 : a < b;
}

CFirmwareUpdateTreeModel::CFirmwareUpdateTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
    , m_root(new CFirmwareUpdateEntity)
{ }

CFirmwareUpdateTreeModel::~CFirmwareUpdateTreeModel()
{
    m_selectedCameras.clear();
    if (m_root)
        m_root->deleteLater();
}

CFirmwareUpdateEntity *CFirmwareUpdateTreeModel::entityOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    return static_cast<CFirmwareUpdateEntity *>(index.internalPointer());
}

QModelIndex CFirmwareUpdateTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    CFirmwareUpdateEntity *parentEntity = parent.isValid() ? entityOf(parent) : m_root.data();
    if (!parentEntity)
        return {};
    CFirmwareUpdateEntity *child = parentEntity->child(row).data();
    if (!child)
        return {};
    return createIndex(row, column, child);
}

QModelIndex CFirmwareUpdateTreeModel::parent(const QModelIndex &index) const
{
    CFirmwareUpdateEntity *entity = entityOf(index);
    if (!entity)
        return {};
    auto *parentEntity = qobject_cast<CFirmwareUpdateEntity *>(entity->parent());
    if (!parentEntity || parentEntity == m_root)
        return {};
    return createIndex(parentEntity->row(), 0, parentEntity);
}

int CFirmwareUpdateTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const CFirmwareUpdateEntity *entity = parent.isValid() ? entityOf(parent) : m_root.data();
    return entity ? entity->childCount() : 0;
}

int CFirmwareUpdateTreeModel::columnCount(const QModelIndex &) const
{
    return CFirmwareUpdateEntity::columnCount();
}

QVariant CFirmwareUpdateTreeModel::data(const QModelIndex &index, int role) const
{
    const CFirmwareUpdateEntity *entity = entityOf(index);
    if (!entity)
        return {};
    const bool device
            = entity->entityType() == CFirmwareUpdateEntity::CameraDevice && entity->cameraInfo();
    if (role == Qt::ToolTipRole && device)
        return identityToolTip(*entity);
    // Cameras that share a name are told apart by their id.
    if (role == Qt::DisplayRole && device && index.column() == CFirmwareUpdateEntity::DisplayName
        && m_sharedNames.contains(entity->cameraInfo()->displayName()))
        return QStringLiteral("%1 (%2)").arg(entity->cameraInfo()->displayName(),
                                             entity->cameraInfo()->id());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return entity->data(index.column());
    case Qt::CheckStateRole:
        if (index.column() != CFirmwareUpdateEntity::DisplayName
            || entity->entityType() == CFirmwareUpdateEntity::TransportLayer)
            return {};
        return entity->selected() ? Qt::Checked : Qt::Unchecked;
    case Qt::AccessibleTextRole:
    case Qt::AccessibleDescriptionRole:
        return accessibleData(entity, index.column(), role);
    default:
        return {};
    }
}

QVariant CFirmwareUpdateTreeModel::accessibleData(const CFirmwareUpdateEntity *entity, int column,
                                                  int role) const
{
    // Screen readers get the words the delegates paint, not enum values.
    if (role == Qt::AccessibleDescriptionRole) {
        if (column == CFirmwareUpdateEntity::DisplayName && !entity->enabled()
            && entity->entityType() != CFirmwareUpdateEntity::TransportLayer)
            return tr("Unavailable: cameras of another model are checked");
        return {};
    }
    switch (column) {
    case CFirmwareUpdateEntity::UpdateDetails:
        switch (entity->data(column).toInt()) {
        case 0:
            return tr("Upgrade");
        case 1:
            return tr("Downgrade");
        case 2:
            return tr("Reinstall");
        default:
            return tr("Unknown");
        }
    case CFirmwareUpdateEntity::UpdateStatus:
        switch (entity->updateStatus()) {
        case CFirmwareUpdateEntity::Waiting:
            return tr("Waiting");
        case CFirmwareUpdateEntity::Updating:
            return tr("Updating");
        case CFirmwareUpdateEntity::Complete:
            return tr("Complete");
        }
        return {};
    case CFirmwareUpdateEntity::UpdateResult:
        switch (entity->updateResult()) {
        case CFirmwareUpdateEntity::OK:
            return tr("OK");
        case CFirmwareUpdateEntity::Failed:
            return tr("Failed");
        case CFirmwareUpdateEntity::Skipped:
            return tr("Skipped");
        }
        return {};
    default:
        return {};
    }
}

bool CFirmwareUpdateTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    CFirmwareUpdateEntity *entity = entityOf(index);
    if (!entity || role != Qt::EditRole)
        return false;
    const int column = index.column();
    switch (column) {
    case CFirmwareUpdateEntity::DisplayName:
    case CFirmwareUpdateEntity::SelectionStatus:
        entity->setSelected(value.toBool());
        trackSelection(value.toBool(), entity);
        break;
    case CFirmwareUpdateEntity::SelectedFirmware:
        entity->setSelectedFirmware(value.toString());
        break;
    case CFirmwareUpdateEntity::UpdateStatus:
        entity->setUpdateStatus(
                static_cast<CFirmwareUpdateEntity::EFirmwareUpdateStatus>(value.toInt()));
        break;
    case CFirmwareUpdateEntity::UpdateResult:
        entity->setUpdateResult(
                static_cast<CFirmwareUpdateEntity::EFirmwareUpdateResult>(value.toInt()));
        break;
    default:
        return false;
    }
    // Also when nothing changed: the delegates repaint from it.
    emit dataChanged(index, index, { column });
    return true;
}

Qt::ItemFlags CFirmwareUpdateTreeModel::flags(const QModelIndex &index) const
{
    const CFirmwareUpdateEntity *entity = entityOf(index);
    if (!entity)
        return Qt::NoItemFlags;
    Qt::ItemFlags result = QAbstractItemModel::flags(index);
    // The check box is the selection delegate's editor, hence editable
    // rather than user-checkable.
    if (index.column() == CFirmwareUpdateEntity::DisplayName
        && entity->entityType() != CFirmwareUpdateEntity::TransportLayer)
        result |= Qt::ItemIsEditable | Qt::ItemIsUserCheckable;
    return result;
}

QVariant CFirmwareUpdateTreeModel::headerData(int section, Qt::Orientation orientation,
                                              int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= int(std::size(HeaderLabels)))
        return {};
    const HeaderLabel &label = HeaderLabels[section];
    return label.translated ? QCoreApplication::translate("QObject", label.text)
                            : QString::fromLatin1(label.text);
}

QHash<int, QByteArray> CFirmwareUpdateTreeModel::roleNames() const
{
    return { { CFirmwareUpdateEntity::DisplayName, "DisplayName" },
             { CFirmwareUpdateEntity::Id, "Id" },
             { CFirmwareUpdateEntity::SelectionStatus, "SelectionStatus" },
             { CFirmwareUpdateEntity::CurrentFirmware, "CurrentFirmware" },
             { CFirmwareUpdateEntity::SelectedFirmware, "SelectedFirmware" },
             { CFirmwareUpdateEntity::UpdateDetails, "UpdateDetails" },
             { CFirmwareUpdateEntity::UpdateStatus, "UpdateStatus" },
             { CFirmwareUpdateEntity::UpdateResult, "UpdateResult" },
             { CFirmwareUpdateEntity::Enabled, "Enabled" } };
}

void CFirmwareUpdateTreeModel::resetRoot()
{
    m_selectedCameras.clear();
    delete m_root.data();
    m_root = new CFirmwareUpdateEntity;
}

void CFirmwareUpdateTreeModel::buildFromTransportLayers(
        const QVector<Plugin::Dorvix::TransportLayerInfoPtr> &transportLayers)
{
    beginResetModel();
    resetRoot();
    for (const Plugin::Dorvix::TransportLayerInfoPtr &transportLayer : transportLayers) {
        if (!transportLayer)
            continue;
        const QVector<Core::DorvixComponents::CameraInfoPtr> cameras = transportLayer->cameras();
        QMap<QString, QVector<CFirmwareUpdateEntity *>> devicesByModel;
        QStringList modelOrder;
        for (const Core::DorvixComponents::CameraInfoPtr &camera : cameras) {
            if (!camera)
                continue;
            auto *device = new CFirmwareUpdateEntity;
            device->setEntityType(CFirmwareUpdateEntity::CameraDevice);
            device->setCameraInfo(camera);
            device->setTransportLayerInfo(transportLayer);
            if (!devicesByModel.contains(camera->modelName()))
                modelOrder.append(camera->modelName());
            devicesByModel[camera->modelName()].append(device);
        }
        if (devicesByModel.isEmpty())
            continue;
        auto *transportLayerNode = new CFirmwareUpdateEntity;
        transportLayerNode->setTransportLayerInfo(transportLayer);
        std::stable_sort(modelOrder.begin(), modelOrder.end(), numericLess);
        for (const QString &modelName : qAsConst(modelOrder)) {
            QVector<CFirmwareUpdateEntity *> &devices = devicesByModel[modelName];
            // Rows in the order the sorted view shows them keep the view's
            // per-row lookups short when the whole tree is refreshed.
            std::stable_sort(devices.begin(), devices.end(), [](const auto *a, const auto *b) {
                return numericLess(a->cameraInfo()->displayName(), b->cameraInfo()->displayName());
            });
            auto *typeNode = new CFirmwareUpdateEntity;
            typeNode->setEntityType(CFirmwareUpdateEntity::CameraType);
            typeNode->setCameraInfo(devices.first()->cameraInfo());
            typeNode->setTransportLayerInfo(transportLayer);
            for (CFirmwareUpdateEntity *device : devices)
                typeNode->addChild(device);
            transportLayerNode->addChild(typeNode);
        }
        m_root->addChild(transportLayerNode);
    }
    findSharedNames();
    endResetModel();
}

void CFirmwareUpdateTreeModel::findSharedNames()
{
    QHash<QString, int> counts;
    collectDeviceNames(m_root.data(), &counts);
    m_sharedNames.clear();
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > 1)
            m_sharedNames.insert(it.key());
    }
}

void CFirmwareUpdateTreeModel::setEntities(QList<CFirmwareUpdateEntity *> entities)
{
    beginResetModel();
    m_selectedCameras.clear();
    // Adopt first, then drop the old root: entities taken from the old list
    // must survive it.
    QPointer<CFirmwareUpdateEntity> oldRoot = m_root;
    m_root = new CFirmwareUpdateEntity;
    for (CFirmwareUpdateEntity *entity : qAsConst(entities)) {
        if (!entity)
            continue;
        m_root->addChild(entity);
        trackSelection(entity->selected(), entity);
    }
    delete oldRoot.data();
    findSharedNames();
    endResetModel();
}

void CFirmwareUpdateTreeModel::trackSelection(bool selected, QPointer<CFirmwareUpdateEntity> entity)
{
    if (!entity || entity->entityType() != CFirmwareUpdateEntity::CameraDevice
        || !entity->cameraInfo())
        return;
    const QString id = entity->cameraInfo()->id();
    if (selected)
        m_selectedCameras.insert(id, entity);
    else
        m_selectedCameras.remove(id);
}

namespace {

CFirmwareUpdateEntity *findCameraNode(CFirmwareUpdateEntity *node, const QString &transportLayerId,
                                      const QString &cameraId)
{
    if (!node)
        return nullptr;
    if (node->childCount() == 0) {
        const bool match = node->entityType() == CFirmwareUpdateEntity::CameraDevice
                && node->cameraInfo() && node->cameraInfo()->id() == cameraId;
        return match ? node : nullptr;
    }
    // Only the root has no transport layer.
    const Plugin::Dorvix::TransportLayerInfoPtr transportLayer = node->transportLayerInfo();
    if (transportLayer && transportLayer->id() != transportLayerId)
        return nullptr;
    for (int i = 0; i < node->childCount(); ++i) {
        if (CFirmwareUpdateEntity *found
            = findCameraNode(node->child(i).data(), transportLayerId, cameraId))
            return found;
    }
    return nullptr;
}

} // namespace

QModelIndex CFirmwareUpdateTreeModel::findCameraIndex(const QString &transportLayerId,
                                                      const QString &cameraId, int column) const
{
    if (column < 0 || column >= CFirmwareUpdateEntity::columnCount())
        return {};
    CFirmwareUpdateEntity *node = findCameraNode(m_root.data(), transportLayerId, cameraId);
    return node ? createIndex(node->row(), column, node) : QModelIndex();
}

void CFirmwareUpdateTreeModel::setDataForCameraModel(CFirmwareUpdateEntity *entity,
                                                     const QString &cameraModel, int role,
                                                     const QVariant &value)
{
    if (!entity || role > CFirmwareUpdateEntity::Enabled)
        return;
    if (isCameraNode(entity)) {
        const bool sameModel = entity->cameraInfo()->modelName() == cameraModel;
        if (!sameModel && role == CFirmwareUpdateEntity::Enabled) {
            entity->setEnabled(!value.toBool());
        } else if (sameModel && role == CFirmwareUpdateEntity::SelectionStatus
                   && entity->selected() != value.toBool()) {
            entity->setSelected(value.toBool());
            trackSelection(value.toBool(), entity);
        }
    }
    for (int i = 0; i < entity->childCount(); ++i)
        setDataForCameraModel(entity->child(i).data(), cameraModel, role, value);
}

void CFirmwareUpdateTreeModel::notifyTreeChanged(const QModelIndex &parent,
                                                 const QVector<int> &roles)
{
    // One signal per run of sibling leaves: a view handles a single-row
    // signal by walking every row above it, a range at once. A row with
    // children is announced alone, as a tree view re-measures every row it
    // shows between a range's ends, descendants included.
    const int rows = rowCount(parent);
    int first = 0;
    for (int row = 0; row <= rows; ++row) {
        const bool leaf = row < rows && rowCount(index(row, 0, parent)) == 0;
        if (leaf)
            continue;
        if (first < row)
            emit dataChanged(index(first, 0, parent), index(row - 1, 0, parent), roles);
        if (row < rows)
            emit dataChanged(index(row, 0, parent), index(row, 0, parent), roles);
        first = row + 1;
    }
    for (int row = 0; row < rows; ++row)
        notifyTreeChanged(index(row, 0, parent), roles);
}

void CFirmwareUpdateTreeModel::applySelectionRules(const QModelIndex &index)
{
    CFirmwareUpdateEntity *entity = entityOf(index);
    if (!entity || !isCameraNode(entity))
        return;
    const bool selected = entity->selected();
    const QString cameraModel = entity->cameraInfo()->modelName();

    if (entity->entityType() == CFirmwareUpdateEntity::CameraType) {
        setDataForCameraModel(m_root, cameraModel, CFirmwareUpdateEntity::Enabled, selected);
        setDataForCameraModel(m_root, cameraModel, CFirmwareUpdateEntity::SelectionStatus,
                              selected);
        notifyTreeChanged({},
                          { CFirmwareUpdateEntity::DisplayName, CFirmwareUpdateEntity::Enabled,
                            CFirmwareUpdateEntity::SelectionStatus });
        return;
    }

    auto *typeNode = qobject_cast<CFirmwareUpdateEntity *>(entity->parent());
    if (!typeNode)
        return;
    if (selected && !typeNode->selected()) {
        typeNode->setSelected(true);
    } else if (!selected) {
        for (int i = 0; i < typeNode->childCount(); ++i) {
            const CFirmwareUpdateEntity *sibling = typeNode->child(i).data();
            if (sibling && sibling != entity && sibling->selected())
                return;
        }
        typeNode->setSelected(false);
        // The model stays the chosen one while it is checked on another layer.
        if (hasCheckedCamera(m_root, cameraModel)) {
            const QModelIndex typeIndex = index.parent().siblingAtColumn(0);
            emit dataChanged(typeIndex, typeIndex, { CFirmwareUpdateEntity::DisplayName });
            return;
        }
    } else {
        return;
    }
    setDataForCameraModel(m_root, cameraModel, CFirmwareUpdateEntity::Enabled, selected);
    notifyTreeChanged({}, { CFirmwareUpdateEntity::DisplayName, CFirmwareUpdateEntity::Enabled });
}

QList<QPointer<CFirmwareUpdateEntity>> CFirmwareUpdateTreeModel::selectedCameras() const
{
    QList<QPointer<CFirmwareUpdateEntity>> result;
    result.reserve(m_selectedCameras.size());
    for (const QPointer<CFirmwareUpdateEntity> &entity : m_selectedCameras) {
        if (entity)
            result.append(entity);
    }
    return result;
}

QMap<QString, Core::DorvixComponents::CameraInfoPtr>
CFirmwareUpdateTreeModel::cameraOfEachModel() const
{
    QMap<QString, Core::DorvixComponents::CameraInfoPtr> cameras;
    if (!m_root)
        return cameras;
    for (const QPointer<CFirmwareUpdateEntity> &layer : m_root->children()) {
        for (const QPointer<CFirmwareUpdateEntity> &type : layer ? layer->children()
                                                                 : CFirmwareUpdateEntity::EntityPointerVector()) {
            const Core::DorvixComponents::CameraInfoPtr camera
                    = type ? type->cameraInfo() : nullptr;
            if (camera && !cameras.contains(camera->modelName()))
                cameras.insert(camera->modelName(), camera);
        }
    }
    return cameras;
}

namespace {

void countResults(const CFirmwareUpdateEntity *node, int *failed, int *ok, int *skipped)
{
    if (!node)
        return;
    if (node->entityType() == CFirmwareUpdateEntity::CameraDevice) {
        int *counter = nullptr;
        switch (node->updateResult()) {
        case CFirmwareUpdateEntity::OK:
            counter = ok;
            break;
        case CFirmwareUpdateEntity::Failed:
            counter = failed;
            break;
        case CFirmwareUpdateEntity::Skipped:
            counter = skipped;
            break;
        }
        if (counter)
            ++*counter;
    }
    for (int i = 0; i < node->childCount(); ++i)
        countResults(node->child(i).data(), failed, ok, skipped);
}

} // namespace

void CFirmwareUpdateTreeModel::countUpdateResults(int *failed, int *ok, int *skipped) const
{
    countResults(m_root.data(), failed, ok, skipped);
}

} // namespace Plugin::FirmwareUpdater::Internal::Model
