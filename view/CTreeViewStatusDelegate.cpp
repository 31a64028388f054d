#include "view/CTreeViewStatusDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 37;
} // namespace

CTreeViewStatusDelegate::CTreeViewStatusDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    QLabel *icon = nullptr;
    QLabel *text = nullptr;
    m_cell = createIconCell(&icon, &text);
    m_icon = icon;
    m_text = text;
}

CTreeViewStatusDelegate::~CTreeViewStatusDelegate()
{
    if (m_cell)
        m_cell->deleteLater();
}

void CTreeViewStatusDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    paintCell(painter, option, *entity, m_cell, [&] {
        const int status = entity->data(CFirmwareUpdateEntity::UpdateStatus).toInt();
        QString text;
        QString iconPath;
        switch (status) {
        case CFirmwareUpdateEntity::Waiting:
            text = tr("Waiting");
            break;
        case CFirmwareUpdateEntity::Updating:
            text = tr("Updating");
            iconPath = QStringLiteral(":/firmwareupdater/icons/refresh_black_icon_14x12_en");
            break;
        case CFirmwareUpdateEntity::Complete:
            text = tr("Complete");
            // A camera whose update failed is complete too, but must never carry the check mark.
            iconPath = entity->updateResult() == CFirmwareUpdateEntity::Failed
                    ? QStringLiteral(":/firmwareupdater/icons/update_failed_icon_12x11_en")
                    : QStringLiteral(":/firmwareupdater/icons/update_ok_icon_12x8_en");
            break;
        }
        m_icon->setPixmap(iconPath.isEmpty() ? QPixmap() : QPixmap(iconPath));
        QFont font = m_text->font();
        font.setWeight(status == CFirmwareUpdateEntity::Updating ? QFont::Bold : QFont::Normal);
        m_text->setFont(font);
        const int width = option.rect.width() - ElideMargin - m_icon->width();
        m_text->setText(m_text->fontMetrics().elidedText(text, Qt::ElideRight, width));
        layOutIconCell(m_cell);
        return index.row() == 0 ? 4 : 0;
    });
}

} // namespace Plugin::FirmwareUpdater::Internal::View
