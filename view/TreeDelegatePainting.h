#pragma once

#include "entity/CFirmwareUpdateEntity.h"

#include <QFont>
#include <QHash>
#include <QModelIndex>
#include <QPalette>
#include <QPointer>
#include <QStyleOptionViewItem>

class QAbstractItemView;
class QHelpEvent;
class QLabel;
class QPainter;
class QStyledItemDelegate;
class QWidget;

// What the tree delegates share: how an index finds its entity, the kind of
// node it is, the look of the off-screen cell widgets and the decorations
// drawn over them.
namespace Plugin::FirmwareUpdater::Internal::View::TreeDelegatePainting {

enum class ENodeKind {
    Missing,
    TransportLayer,
    CameraType,
    // A device under a camera type of the enumerated camera tree.
    TreeDevice,
    // A device of a flat list, directly under the model's root.
    ListDevice
};

// The index in the model that holds the entities, looking through a sort proxy.
QModelIndex sourceIndex(const QModelIndex &index);
QPointer<Entity::CFirmwareUpdateEntity> entityAt(const QModelIndex &index);
ENodeKind nodeKind(const Entity::CFirmwareUpdateEntity *entity);

// How much higher than the cell font's own a line is in the current language.
int extraLineHeight();
// Height of a row in the selection and label columns, never lower than its
// text needs; -1 keeps the base height.
int rowHeight(ENodeKind kind, int row);

// The base delegate's widths by text, for one font at a time.
struct TextWidths
{
    QFont font;
    QHash<QString, int> widths;
};
// The base delegate's width with the row's fixed height. The width is
// remembered: the base lays the whole text out for it, and views ask again
// for every row of every dataChanged.
QSize fixedHeightSizeHint(const QStyledItemDelegate &base, const QStyleOptionViewItem &option,
                          const QModelIndex &index, TextWidths &widths);

QFont cellFont();
// Fills its background with the shared row colours.
void preparePalette(QWidget *cell);

// Container of the status and result columns: an icon followed by a text.
QWidget *createIconCell(QLabel **icon, QLabel **text);
// A plain-text label cell with the shared palette and font.
QLabel *createLabelCell();
// Lays the icon cell out for its current size; it is never shown.
void layOutIconCell(QWidget *cell);

// Selected, hovered or plain row background.
QPalette::ColorRole rowBackground(const QStyleOptionViewItem &option);

// Answers a tool tip request over a cell: the model's own tool tip if it has
// one, else the cell's full text when the cell shows it cut at width.
bool showCellToolTip(QHelpEvent *event, QAbstractItemView *view, const QModelIndex &index,
                     const QString &text, const QFont &font, int width);

void drawSeparator(QPainter *painter, const QRect &cell);
// The cells of a row together form one frame: each draws its top and bottom
// edge, the first also its left and the last its right edge.
void drawHoverFrame(QPainter *painter, const QRect &cell,
                    QStyleOptionViewItem::ViewItemPosition position);

// The keyboard's current row: a frame in the palette's highlight colour,
// drawn by each cell of the row while the view has the focus.
void drawFocusFrame(QPainter *painter, const QStyleOptionViewItem &option,
                    const Entity::CFirmwareUpdateEntity &entity);

// Renders the cell widget straight into the painter's device: the painter is
// ended for the rendering and begun again afterwards with its transform.
// The widget is shifted by offset and cut by as much at the right and bottom.
void renderIntoDevice(QPainter *painter, QWidget *cell, const QRect &rect, const QPoint &offset);

// Shared frame of the label, details, status and result columns: background,
// geometry, enabled state, rendering, separator and hover frame. fill() puts
// the content into the cell widget and returns how many pixels lower it goes.
// Separator and hover frame over a rendered cell.
void finishCell(QPainter *painter, const QStyleOptionViewItem &option,
                const Entity::CFirmwareUpdateEntity &entity);

template<typename Fill>
void paintCell(QPainter *painter, const QStyleOptionViewItem &option,
               const Entity::CFirmwareUpdateEntity &entity, QWidget *cell, Fill fill)
{
    const bool transportLayer = nodeKind(&entity) == ENodeKind::TransportLayer;
    cell->setBackgroundRole(transportLayer ? QPalette::Base : rowBackground(option));
    cell->setGeometry(option.rect);
    cell->setEnabled(entity.enabled());
    const int lowerBy = fill();
    renderIntoDevice(painter, cell, option.rect, QPoint(0, lowerBy));
    finishCell(painter, option, entity);
}

} // namespace Plugin::FirmwareUpdater::Internal::View::TreeDelegatePainting
