#pragma once

#include "entity/CFirmwareUpdateEntity.h"
#include "host/ITransportLayerInfo.h"

#include <QAbstractItemModel>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QVector>

namespace Plugin::FirmwareUpdater::Internal::Model {

// Item model over the update tree. Serves both the camera tree (transport
// layer / camera model / device), where it enforces that only one camera
// model is checked at a time, and the flat lists of planned updates.
// Column numbers and role numbers are both CFirmwareUpdateEntity's
// ECameraUpdateModelRole values.
class CFirmwareUpdateTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    using CFirmwareUpdateEntity = Entity::CFirmwareUpdateEntity;

    explicit CFirmwareUpdateTreeModel(QObject *parent = nullptr);
    ~CFirmwareUpdateTreeModel() override;

    QModelIndex index(int row, int column,
                      const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Camera tree from the enumeration (model reset).
    void
    buildFromTransportLayers(const QVector<Plugin::Dorvix::TransportLayerInfoPtr> &transportLayers);
    // Flat list; the model's root adopts the entities (model reset).
    void setEntities(QList<CFirmwareUpdateEntity *> entities);
    QModelIndex findCameraIndex(const QString &transportLayerId, const QString &cameraId,
                                int column) const;
    // Enforces the one-camera-model rule after the check state of index changed.
    void applySelectionRules(const QModelIndex &index);
    // Ascending by camera id (code-unit order).
    QList<QPointer<CFirmwareUpdateEntity>> selectedCameras() const;
    // "Cam 2" before "Cam 10", as people count; the order of the trees.
    static bool numericLess(const QString &a, const QString &b);
    // Adds to the counters; the caller zeroes them.
    void countUpdateResults(int *failed, int *ok, int *skipped) const;
    // One camera of every camera model in the tree, keyed by model: enough to
    // ask the host which of the connected models an update file is for.
    QMap<QString, Core::DorvixComponents::CameraInfoPtr> cameraOfEachModel() const;

private:
    CFirmwareUpdateEntity *entityOf(const QModelIndex &index) const;
    QVariant accessibleData(const CFirmwareUpdateEntity *entity, int column, int role) const;
    void resetRoot();
    void trackSelection(bool selected, QPointer<CFirmwareUpdateEntity> entity);
    void setDataForCameraModel(CFirmwareUpdateEntity *entity, const QString &cameraModel, int role,
                               const QVariant &value);
    void notifyTreeChanged(const QModelIndex &parent, const QVector<int> &roles);
    void findSharedNames();

    QPointer<CFirmwareUpdateEntity> m_root;
    QMap<QString, QPointer<CFirmwareUpdateEntity>> m_selectedCameras;
    // Display names that more than one camera device of this model carries.
    QSet<QString> m_sharedNames;
};

} // namespace Plugin::FirmwareUpdater::Internal::Model
