#include "view/CTreeViewDetailsDelegate.h"

namespace Plugin::FirmwareUpdater::Internal::View {

CTreeViewDetailsDelegate::CTreeViewDetailsDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

CTreeViewDetailsDelegate::~CTreeViewDetailsDelegate() = default;

void CTreeViewDetailsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
