#include "view/CTreeViewLabelDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 15;
constexpr int ColumnIndent = 11;
} // namespace

CTreeViewLabelDelegate::CTreeViewLabelDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_label(createLabelCell())
{ }

CTreeViewLabelDelegate::~CTreeViewLabelDelegate()
{
    if (m_label)
        m_label->deleteLater();
}

void CTreeViewLabelDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
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
        QFont font = m_label->font();
        font.setWeight(entity->updateStatus() == CFirmwareUpdateEntity::Updating ? QFont::Bold
                                                                                 : QFont::Normal);
        m_label->setFont(font);
        const QString text = index.data(Qt::DisplayRole).toString();
        m_label->setText(m_label->fontMetrics().elidedText(text, Qt::ElideRight,
                                                           option.rect.width() - ElideMargin));
        switch (nodeKind(entity)) {
        case ENodeKind::CameraType:
            return 1;
        case ENodeKind::TreeDevice:
            return 0;
        default:
            return index.row() == 0 ? 4 : 0;
        }
    });
}

bool CTreeViewLabelDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                       const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QFont font = cellFont();
    font.setWeight(entity->updateStatus() == CFirmwareUpdateEntity::Updating ? QFont::Bold
                                                                             : QFont::Normal);
    return showCellToolTip(event, view, index, index.data(Qt::DisplayRole).toString(), font,
                           option.rect.width() - ElideMargin);
}

QSize CTreeViewLabelDelegate::sizeHint(const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    return fixedHeightSizeHint(*this, option, index, m_widths);
}

} // namespace Plugin::FirmwareUpdater::Internal::View
