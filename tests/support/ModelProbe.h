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
    const QString prefix = layer ? layer->id() + QLatin1Char('/') : QString();
    switch (node->entityType()) {
    case CFirmwareUpdateEntity::TransportLayer:
        return layer->id();
    case CFirmwareUpdateEntity::CameraType:
        return prefix + node->cameraInfo()->modelName();
    case CFirmwareUpdateEntity::CameraDevice:
        return prefix + node->cameraInfo()->id();
    }
    return {};
}

inline QString label(const QModelIndex &index)
{
    return label(entity(index));
}

// Column 0 of every node, parents before children.
inline QModelIndexList indexes(const QAbstractItemModel &model,
                               const QModelIndex &parent = QModelIndex())
{
    QModelIndexList result;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        result << model.index(row, 0, parent);
        result << indexes(model, result.last());
    }
    return result;
}

inline QModelIndex find(const QAbstractItemModel &model, const QString &wanted)
{
    for (const QModelIndex &index : indexes(model)) {
        if (label(index) == wanted)
            return index;
    }
    return {};
}

// "tl1[A[c1,c2],B[c3]]" from column 0 text; siblings sorted, since the model
// leaves their order open.
inline QString tree(const QAbstractItemModel &model, const QModelIndex &parent = QModelIndex())
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        rows << index.data().toString();
        if (model.rowCount(index) > 0)
            rows.last() += QLatin1Char('[') + tree(model, index) + QLatin1Char(']');
    }
    if (parent.isValid())
        rows.sort();
    return rows.join(QLatin1Char(','));
}

// "selected: tl1/A tl1/c1 | disabled: tl1/B tl1/c3 | tracked: tl1/c1"
inline QString
state(const Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel &model)
{
    QStringList selected, disabled, tracked;
    for (const QModelIndex &index : indexes(model)) {
        if (entity(index)->selected())
            selected << label(index);
        if (!entity(index)->enabled())
            disabled << label(index);
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
        const auto index = arguments.at(0).value<QModelIndex>();
        QStringList roles;
        for (int role : arguments.at(2).value<QVector<int>>())
            roles << QString::number(role);
        QString entry = label(index) + QLatin1Char('@') + QString::number(index.column());
        if (arguments.at(1).value<QModelIndex>() != index)
            entry += QStringLiteral("..") + label(arguments.at(1).value<QModelIndex>());
        entries << entry + QLatin1Char('[') + roles.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    spy.clear();
    return entries.join(QLatin1Char(' '));
}

} // namespace Probe
