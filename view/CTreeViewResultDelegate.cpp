#include "view/CTreeViewResultDelegate.h"

namespace Plugin::FirmwareUpdater::Internal::View {

CTreeViewResultDelegate::CTreeViewResultDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

CTreeViewResultDelegate::~CTreeViewResultDelegate() = default;

void CTreeViewResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
