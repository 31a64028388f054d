#include "view/CTreeViewStatusDelegate.h"

namespace Plugin::FirmwareUpdater::Internal::View {

CTreeViewStatusDelegate::CTreeViewStatusDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

CTreeViewStatusDelegate::~CTreeViewStatusDelegate() = default;

void CTreeViewStatusDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
