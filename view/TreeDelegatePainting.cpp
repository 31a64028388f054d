#include "view/TreeDelegatePainting.h"

#include "host/CStyleHelper.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "style/PagePalette.h"
#include "style/TreeColors.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace Plugin::FirmwareUpdater::Internal::View::TreeDelegatePainting {

using Entity::CFirmwareUpdateEntity;
namespace TreeColors = Style::TreeColors;

QModelIndex sourceIndex(const QModelIndex &index)
{
    if (const auto *proxy = qobject_cast<const QSortFilterProxyModel *>(index.model()))
        return proxy->mapToSource(index);
    return index;
}

QPointer<CFirmwareUpdateEntity> entityAt(const QModelIndex &index)
{
    const QModelIndex source = sourceIndex(index);
    // Only our model's internal pointers are entities.
    if (!source.isValid() || !qobject_cast<const Model::CFirmwareUpdateTreeModel *>(source.model()))
        return nullptr;
    return static_cast<CFirmwareUpdateEntity *>(source.internalPointer());
}

ENodeKind nodeKind(const CFirmwareUpdateEntity *entity)
{
    if (!entity)
        return ENodeKind::Missing;
    switch (entity->entityType()) {
    case CFirmwareUpdateEntity::TransportLayer:
        return ENodeKind::TransportLayer;
    case CFirmwareUpdateEntity::CameraType:
        return ENodeKind::CameraType;
    case CFirmwareUpdateEntity::CameraDevice:
        break;
    }
    const auto *parent = qobject_cast<const CFirmwareUpdateEntity *>(entity->parent());
    return parent && parent->transportLayerInfo() ? ENodeKind::TreeDevice : ENodeKind::ListDevice;
}

int extraLineHeight()
{
    // A translated word brings in the fallback font of the language's
    // script, which may need more height than the cell font itself.
    static QString measured;
    static int extra = 0;
    const QString sample = QStringLiteral("Ag") + QCoreApplication::translate("QObject", "Cameras");
    if (sample != measured) {
        const QFontMetrics metrics(cellFont());
        extra = qMax(
                0,
                metrics.boundingRect(QRect(), Qt::TextSingleLine, sample).height()
                        - metrics.boundingRect(QRect(), Qt::TextSingleLine, QStringLiteral("Ag"))
                                  .height());
        measured = sample;
    }
    return extra;
}

int rowHeight(ENodeKind kind, int row)
{
    const int extra = extraLineHeight();
    switch (kind) {
    case ENodeKind::TransportLayer:
        return 24 + extra;
    case ENodeKind::CameraType:
        return 25 + extra;
    case ENodeKind::TreeDevice:
        return 20 + extra;
    case ENodeKind::ListDevice:
        // Room above the first row of a flat list, under the header's band.
        return (row == 0 ? 27 : 20) + extra;
    case ENodeKind::Missing:
        break;
    }
    return -1;
}

QSize fixedHeightSizeHint(const QStyledItemDelegate &base, const QStyleOptionViewItem &option,
                          const QModelIndex &index, TextWidths &widths)
{
    const int height = rowHeight(nodeKind(entityAt(index)), index.row());
    if (height < 0)
        return base.QStyledItemDelegate::sizeHint(option, index);
    if (option.font != widths.font) {
        widths.widths.clear();
        widths.font = option.font;
    }
    // A check box widens the base hint: rows with one are remembered apart.
    const bool checkable = index.data(Qt::CheckStateRole).isValid();
    const QString text
            = QLatin1Char(checkable ? '+' : '-') + index.data(Qt::DisplayRole).toString();
    auto width = widths.widths.constFind(text);
    if (width == widths.widths.cend()) {
        // Names come and go with each enumeration; keep the memory bounded.
        constexpr int MaxRemembered = 100000;
        if (widths.widths.size() >= MaxRemembered)
            widths.widths.clear();
        width = widths.widths.insert(text,
                                     base.QStyledItemDelegate::sizeHint(option, index).width());
    }
    return QSize(*width, height);
}

QFont cellFont()
{
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Segoe UI"));
    font.setPixelSize(Core::OndrelViewerComponents::CStyleHelper::computePixelFontSize(12));
    return font;
}

void preparePalette(QWidget *cell)
{
    cell->setAutoFillBackground(true);
    QPalette palette = Style::PagePalette::light();
    palette.setBrush(QPalette::Active, QPalette::AlternateBase, QColor(TreeColors::Hovered));
    palette.setBrush(QPalette::Active, QPalette::HighlightedText, QColor(TreeColors::Pressed));
    palette.setBrush(QPalette::Disabled, QPalette::Base, QColor(TreeColors::DisabledBase));
    cell->setPalette(palette);
}

QLabel *createLabelCell()
{
    auto *label = new QLabel;
    preparePalette(label);
    label->setFont(cellFont());
    // Texts come from the host and from update files: never markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget *createIconCell(QLabel **icon, QLabel **text)
{
    auto *cell = new QWidget;
    preparePalette(cell);
    auto *layout = new QHBoxLayout(cell);
    layout->setSpacing(7);
    layout->setContentsMargins(11, 0, 0, 0);
    *icon = new QLabel(cell);
    (*icon)->setFixedWidth(14);
    (*icon)->setAlignment(Qt::AlignCenter);
    *text = new QLabel(cell);
    (*text)->setFont(cellFont());
    (*text)->setTextFormat(Qt::PlainText);
    layout->addWidget(*icon);
    layout->addWidget(*text);
    return cell;
}

void layOutIconCell(QWidget *cell)
{
    cell->layout()->setGeometry(cell->rect());
}

QPalette::ColorRole rowBackground(const QStyleOptionViewItem &option)
{
    // The palette above turns these roles into the row colours.
    if (option.state & QStyle::State_Selected)
        return QPalette::HighlightedText;
    if (option.state & QStyle::State_MouseOver)
        return QPalette::AlternateBase;
    return QPalette::Base;
}

bool showCellToolTip(QHelpEvent *event, QAbstractItemView *view, const QModelIndex &index,
                     const QString &text, const QFont &font, int width)
{
    if (!event || !view || event->type() != QEvent::ToolTip)
        return false;
    QString tip = index.data(Qt::ToolTipRole).toString();
    // Names come from the host: never markup.
    if (tip.isEmpty() && QFontMetrics(font).elidedText(text, Qt::ElideRight, width) != text)
        tip = Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), tip, view->viewport(), view->visualRect(index));
    return true;
}

void drawSeparator(QPainter *painter, const QRect &cell)
{
    painter->setPen(QPen(QColor(TreeColors::Separator), 2));
    painter->drawLine(cell.topRight(), cell.bottomRight());
}

void drawHoverFrame(QPainter *painter, const QRect &cell,
                    QStyleOptionViewItem::ViewItemPosition position)
{
    painter->setPen(QPen(QColor(TreeColors::HoverFrame), 1));
    painter->drawLine(cell.topLeft(), cell.topRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    if (position == QStyleOptionViewItem::Beginning)
        painter->drawLine(cell.topLeft(), cell.bottomLeft());
    if (position == QStyleOptionViewItem::End)
        painter->drawLine(cell.topRight(), cell.bottomRight());
}

void drawFocusFrame(QPainter *painter, const QStyleOptionViewItem &option,
                    const CFirmwareUpdateEntity &entity)
{
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    if (!view || !view->hasFocus() || entityAt(view->currentIndex()) != &entity)
        return;
    // Two pixels wide, so it stays visible at any scale and in any palette.
    constexpr int width = 2;
    const QRect r = option.rect;
    const QColor colour = option.palette.color(QPalette::Active, QPalette::Highlight);
    const auto position = option.viewItemPosition;
    painter->fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
    painter->fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), colour);
    if (position == QStyleOptionViewItem::Beginning || position == QStyleOptionViewItem::OnlyOne
        || position == QStyleOptionViewItem::Invalid)
        painter->fillRect(QRect(r.left(), r.top(), width, r.height()), colour);
    if (position == QStyleOptionViewItem::End || position == QStyleOptionViewItem::OnlyOne
        || position == QStyleOptionViewItem::Invalid)
        painter->fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), colour);
}

void renderIntoDevice(QPainter *painter, QWidget *cell, const QRect &rect, const QPoint &offset)
{
    // Through the open painter, so its whole transform (the view's offset in
    // the window and the high-DPI scale alike) applies exactly once.
    painter->save();
    painter->translate(rect.topLeft() + offset);
    cell->render(painter, QPoint(),
                 QRegion(0, 0, rect.width() - offset.x(), rect.height() - offset.y()),
                 QWidget::DrawChildren);
    painter->restore();
}

void finishCell(QPainter *painter, const QStyleOptionViewItem &option,
                const CFirmwareUpdateEntity &entity)
{
    painter->save();
    if (option.viewItemPosition != QStyleOptionViewItem::End)
        drawSeparator(painter, option.rect);
    const bool selectedUnderMouse
            = (option.state & QStyle::State_Selected) && (option.state & QStyle::State_MouseOver);
    if (selectedUnderMouse && entity.enabled()
        && entity.entityType() != CFirmwareUpdateEntity::TransportLayer)
        drawHoverFrame(painter, option.rect, option.viewItemPosition);
    drawFocusFrame(painter, option, entity);
    painter->restore();
}

} // namespace Plugin::FirmwareUpdater::Internal::View::TreeDelegatePainting
