#include "style/CTreeViewHeaderStyle.h"

#include "style/TreeColors.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleOptionHeader>

namespace Plugin::FirmwareUpdater::Internal::Style {

namespace {
const char SortArrowPath[] = ":/firmwareupdater/icons/sort_icon_10x7_en";
constexpr QSize SortArrowSize(10, 7);
// Indent of every title but the first, and of the arrow after the title.
constexpr int TitleIndent = 11;
constexpr int ArrowGap = 5;
} // namespace

CTreeViewHeaderStyle::CTreeViewHeaderStyle()
    : QProxyStyle()
{ }

void CTreeViewHeaderStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                         QPainter *painter, const QWidget *widget) const
{
    if (element != PE_IndicatorHeaderArrow) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option);
    if (!header || header->sortIndicator == QStyleOptionHeader::None)
        return;

    QPixmap arrow(QString::fromLatin1(SortArrowPath));
    // The header reports an ascending sort as SortDown; the image shows that.
    if (header->sortIndicator == QStyleOptionHeader::SortUp)
        arrow = arrow.transformed(QTransform().rotate(180), Qt::FastTransformation);
    painter->drawPixmap(subElementRect(SE_HeaderArrow, option, widget), arrow);
}

void CTreeViewHeaderStyle::drawControl(ControlElement element, const QStyleOption *option,
                                       QPainter *painter, const QWidget *widget) const
{
    const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option);
    if (element != CE_HeaderSection || !header) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }

    const int fontHeight = header->fontMetrics.height();
    const QRect section = header->rect;
    const QBrush base = header->palette.brush(QPalette::Base);

    painter->save();
    const bool pressed = header->state & State_Sunken;
    const bool hovered = header->state & State_MouseOver;
    if (pressed || hovered) {
        // Band behind the title, plain base below it; neither leaves the section.
        const QRect band(section.left(), section.top(), section.right() + 1, fontHeight + 7);
        const QRect below(section.left(), fontHeight + 8, section.right() + 1, section.bottom());
        painter->fillRect(band & section,
                          QColor(pressed ? TreeColors::Pressed : TreeColors::Hovered));
        painter->fillRect(below & section, base);
    } else {
        painter->fillRect(section, base);
    }

    painter->setPen(QPen(QColor(TreeColors::BandLine), 1));
    painter->drawLine(section.left(), fontHeight + 7, section.right(), fontHeight + 7);

    if (header->position == QStyleOptionHeader::Beginning
        || header->position == QStyleOptionHeader::Middle) {
        painter->setPen(QPen(QColor(TreeColors::Separator), 2));
        painter->drawLine(section.right(), section.top() + 3, section.right(), fontHeight - 2);
    }
    painter->restore();
}

QRect CTreeViewHeaderStyle::subElementRect(SubElement element, const QStyleOption *option,
                                           const QWidget *widget) const
{
    const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option);
    if (header && element == SE_HeaderLabel) {
        const QRect section = header->rect;
        const int indent = header->section == 0 ? 0 : TitleIndent;
        return QRect(section.left() + indent, section.top(), section.width() - indent,
                     header->fontMetrics.height());
    }
    if (header && element == SE_HeaderArrow && header->orientation == Qt::Horizontal) {
        // Relative to the widget, so the arrow follows the first section's title.
        const QRect area = widget ? widget->rect() : QRect();
        const int left
                = area.left() + ArrowGap + header->fontMetrics.horizontalAdvance(header->text);
        const int top = area.top() + header->fontMetrics.ascent() - SortArrowSize.height();
        return QRect(QPoint(left, top), SortArrowSize);
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

int CTreeViewHeaderStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (metric == PM_HeaderMargin)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace Plugin::FirmwareUpdater::Internal::Style
