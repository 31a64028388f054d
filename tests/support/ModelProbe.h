#pragma once

// Compact text views of an update tree model, so one comparison covers a
// whole tree, selection state or signal sequence.

#include "model/CFirmwareUpdateTreeModel.h"

#include <QSignalSpy>
#include <QStringList>

namespace Probe {

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;

inline CFirmwareUpdateEntity *entity(const QModelIndex &index)
{
    return static_cast<CFirmwareUpdateEntity *>(index.internalPointer());
}

// "tl1" for a transport layer, "tl1/A" for a camera model, "tl1/c1" for a
// camera; entities without a transport layer show only their camera id.
inline QString label(const CFirmwareUpdateEntity *node)
{
    if (!node)
        return QStringLiteral("<dead>");
    const QString layer = node->transportLayerInfo() ? node->transportLayerInfo()->id() : QString();
    switch (node->entityType()) {
    case CFirmwareUpdateEntity::TransportLayer:
        return layer;
    case CFirmwareUpdateEntity::CameraType:
        return layer + QLatin1Char('/') + node->cameraInfo()->modelName();
    case CFirmwareUpdateEntity::CameraDevice:
        return (layer.isEmpty() ? QString() : layer + QLatin1Char('/')) + node->cameraInfo()->id();
    }
    return {};
}

inline QString label(const QModelIndex &index)
{
    return label(entity(index));
}

// "tl1[A[c1,c2],B[c3]]" from column 0 text; siblings sorted, since the model
// leaves their order open.
inline QString tree(const QAbstractItemModel &model, const QModelIndex &parent = QModelIndex())
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        QString text = index.data().toString();
        if (model.rowCount(index) > 0)
            text += QLatin1Char('[') + tree(model, index) + QLatin1Char(']');
        rows << text;
    }
    if (parent.isValid())
        rows.sort();
    return rows.join(QLatin1Char(','));
}

inline void collect(const QAbstractItemModel &model, const QModelIndex &parent,
                    QVector<CFirmwareUpdateEntity *> &nodes)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        nodes << entity(index);
        collect(model, index, nodes);
    }
}

// "selected: tl1/A tl1/c1 | disabled: tl1/B tl1/c3 | tracked: c1"
inline QString state(const CFirmwareUpdateTreeModel &model)
{
    QVector<CFirmwareUpdateEntity *> nodes;
    collect(model, QModelIndex(), nodes);
    QStringList selected, disabled, tracked;
    for (const CFirmwareUpdateEntity *node : qAsConst(nodes)) {
        if (node->selected())
            selected << label(node);
        if (!node->enabled())
            disabled << label(node);
    }
    selected.sort();
    disabled.sort();
    for (const auto &camera : model.selectedCameras())
        tracked << label(camera);
    return QStringLiteral("selected: %1 | disabled: %2 | tracked: %3")
            .arg(selected.join(QLatin1Char(' ')), disabled.join(QLatin1Char(' ')),
                 tracked.join(QLatin1Char(' ')));
}

// One "label@column[roles]" per dataChanged emission; the spy is emptied.
inline QString dataChanged(QSignalSpy &spy)
{
    QStringList entries;
    for (const QList<QVariant> &arguments : qAsConst(spy)) {
        const auto topLeft = arguments.at(0).value<QModelIndex>();
        const auto bottomRight = arguments.at(1).value<QModelIndex>();
        QStringList roles;
        for (int role : arguments.at(2).value<QVector<int>>())
            roles << QString::number(role);
        QString entry = label(topLeft) + QLatin1Char('@') + QString::number(topLeft.column());
        if (bottomRight != topLeft)
            entry += QStringLiteral("..") + label(bottomRight);
        entries << entry + QLatin1Char('[') + roles.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    spy.clear();
    return entries.join(QLatin1Char(' '));
}

// The first node, depth first, with that label.
inline QModelIndex find(const QAbstractItemModel &model, const QString &wanted,
                        const QModelIndex &parent = QModelIndex())
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        if (label(index) == wanted)
            return index;
        const QModelIndex below = find(model, wanted, index);
        if (below.isValid())
            return below;
    }
    return {};
}

} // namespace Probe
