#include "view/CCustomTreeView.h"

#include <QHeaderView>
#include <QScrollBar>

namespace Plugin::FirmwareUpdater::Internal::View {

namespace {
// Gap between the header and the top of the vertical scroll bar.
constexpr int ScrollBarTopGap = 14;
} // namespace

CCustomTreeView::CCustomTreeView(QWidget *parent)
    : QTreeView(parent)
{
    // The selection delegate opens its check box on plain mouse moves.
    viewport()->setMouseTracking(true);
}

void CCustomTreeView::setVisible(bool visible)
{
    QTreeView::setVisible(visible);
    if (visible)
        placeVerticalScrollBar();
}

void CCustomTreeView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The selection delegate asks for the next item after every toggle; its
    // check box stays under the mouse so the user can toggle again.
    if (hint == QAbstractItemDelegate::EditNextItem)
        return;
    QTreeView::closeEditor(editor, hint);
}

void CCustomTreeView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    placeVerticalScrollBar();
}

void CCustomTreeView::placeVerticalScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    QRect geometry = bar->geometry();
    geometry.setTop(header()->height() + ScrollBarTopGap);
    bar->setGeometry(geometry);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
