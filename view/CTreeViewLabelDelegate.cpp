#include "view/CTreeViewLabelDelegate.h"

namespace Plugin::FirmwareUpdater::Internal::View {

CTreeViewLabelDelegate::CTreeViewLabelDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

CTreeViewLabelDelegate::~CTreeViewLabelDelegate() = default;

void CTreeViewLabelDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
namespace Plugin::FirmwareUpdater::Internal::View {
QSize CTreeViewLabelDelegate::sizeHint(const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    return QStyledItemDelegate::sizeHint(option, index);
}
}
