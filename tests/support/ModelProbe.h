#pragma once

// Compact text views of an update tree model, so one comparison covers a
// whole tree, selection state or signal sequence.

#include "model/CFirmwareUpdateTreeModel.h"

#include <QSignalSpy>

namespace Probe {

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;

inline CFirmwareUpdateEntity *entity(const QModelIndex &index)
{
    return static_cast<CFirmwareUpdateEntity *>(index.internalPointer());
}

// "tl1" for a transport layer, "tl1/A" for a camera model, "tl1/c1" for a
// camera; entities without a transport layer show only their camera id.
inline QString label(const CFirmwareUpdateEntity *node)
{
    const auto layer = node->transportLayerInfo();
    if (node->entityType() == CFirmwareUpdateEntity::TransportLayer)
        return layer->id();
    const auto camera = node->cameraInfo();
    return (layer ? layer->id() + QLatin1Char('/') : QString())
            + (node->entityType() == CFirmwareUpdateEntity::CameraType ? camera->modelName()
                                                                       : camera->id());
}

// Column 0 of every node, parents before children.
inline QModelIndexList indexes(const QAbstractItemModel &model,
                               const QModelIndex &parent = QModelIndex())
{
    QModelIndexList result;
    for (int row = 0; row < model.rowCount(parent); ++row)
        result << model.index(row, 0, parent) << indexes(model, model.index(row, 0, parent));
    return result;
}

inline QModelIndex find(const QAbstractItemModel &model, const QString &wanted)
{
    const QModelIndexList all = indexes(model);
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&](auto i) { return label(entity(i)) == wanted; });
    return it == all.end() ? QModelIndex() : *it;
}

// "tl1[A[c1,c2],B[c3]]" from column 0 text; siblings sorted, since the model
// leaves their order open.
inline QString tree(const QAbstractItemModel &model, const QModelIndex &parent = QModelIndex())
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        const QString children = tree(model, index);
        rows << index.data().toString() + (children.isEmpty() ? children : '[' + children + ']');
    }
    if (parent.isValid())
        rows.sort();
    return rows.join(QLatin1Char(','));
}

// Selected, disabled and tracked nodes: "tl1/A tl1/c1 | tl1/B tl1/c3 | tl1/c1".
inline QString
state(const Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel &model)
{
    QStringList lists[3];
    for (const QModelIndex &index : indexes(model)) {
        if (entity(index)->selected())
            lists[0] << label(entity(index));
        if (!entity(index)->enabled())
            lists[1] << label(entity(index));
    }
    lists[0].sort();
    lists[1].sort();
    for (const auto &camera : model.selectedCameras())
        lists[2] << label(camera);
    return lists[0].join(' ') + " | " + lists[1].join(' ') + " | " + lists[2].join(' ');
}

// One "label@column[roles]" per dataChanged emission; the spy is emptied.
inline QString dataChanged(QSignalSpy &spy)
{
    QStringList entries;
    for (const QList<QVariant> &arguments : qAsConst(spy)) {
        const auto from = arguments.at(0).value<QModelIndex>();
        const auto to = arguments.at(1).value<QModelIndex>();
        QString entry = label(entity(from)) + '@' + QString::number(from.column())
                + (to == from ? QString() : ".." + label(entity(to))) + '[';
        for (int role : arguments.at(2).value<QVector<int>>())
            entry += QString::number(role) + ',';
        entries << entry.left(entry.size() - entry.endsWith(',')) + ']';
    }
    spy.clear();
    return entries.join(' ');
}

} // namespace Probe
