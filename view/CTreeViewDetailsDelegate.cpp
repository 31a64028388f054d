#include "view/CTreeViewDetailsDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 30;
constexpr int ColumnIndent = 11;

QString detailsText(const CFirmwareUpdateEntity &entity)
{
    switch (entity.data(CFirmwareUpdateEntity::UpdateDetails).toInt()) {
    case 0:
        return CTreeViewDetailsDelegate::tr("Upgrade");
    case 1:
        return CTreeViewDetailsDelegate::tr("Downgrade");
    case 2:
        return CTreeViewDetailsDelegate::tr("Reinstall");
    default:
        return CTreeViewDetailsDelegate::tr("Unknown");
    }
}
} // namespace

CTreeViewDetailsDelegate::CTreeViewDetailsDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_label(createLabelCell())
{ }

CTreeViewDetailsDelegate::~CTreeViewDetailsDelegate()
{
    if (m_label)
        m_label->deleteLater();
}

void CTreeViewDetailsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    paintCell(painter, option, *entity, m_label, [&] {
        m_label->setIndent(
                option.viewItemPosition == QStyleOptionViewItem::Beginning ? 0 : ColumnIndent);
        m_label->setText(m_label->fontMetrics().elidedText(detailsText(*entity), Qt::ElideRight,
                                                           option.rect.width() - ElideMargin));
        return index.row() == 0 ? 4 : 0;
    });
}

bool CTreeViewDetailsDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                         const QStyleOptionViewItem &option,
                                         const QModelIndex &index)
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    return showCellToolTip(event, view, index, detailsText(*entity), cellFont(),
                           option.rect.width() - ElideMargin);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
