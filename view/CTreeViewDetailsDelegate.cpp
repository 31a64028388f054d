#include "view/CTreeViewDetailsDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 30;
constexpr int ColumnIndent = 11;
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
        QString text;
        switch (entity->data(CFirmwareUpdateEntity::UpdateDetails).toInt()) {
        case 0:
            text = tr("Upgrade");
            break;
        case 1:
            text = tr("Downgrade");
            break;
        case 2:
            text = tr("Reinstall");
            break;
        default:
            text = tr("Unknown");
            break;
        }
        m_label->setText(m_label->fontMetrics().elidedText(text, Qt::ElideRight,
                                                           option.rect.width() - ElideMargin));
        return index.row() == 0 ? 4 : 0;
    });
}

} // namespace Plugin::FirmwareUpdater::Internal::View
