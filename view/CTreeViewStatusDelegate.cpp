#include "view/CTreeViewStatusDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 37;

QString statusText(int status)
{
    switch (status) {
    case CFirmwareUpdateEntity::Waiting:
        return CTreeViewStatusDelegate::tr("Waiting");
    case CFirmwareUpdateEntity::Updating:
        return CTreeViewStatusDelegate::tr("Updating");
    case CFirmwareUpdateEntity::Complete:
        return CTreeViewStatusDelegate::tr("Complete");
    }
    return {};
}
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
        const QString text = statusText(status);
        QString iconPath;
        switch (status) {
        case CFirmwareUpdateEntity::Waiting:
            break;
        case CFirmwareUpdateEntity::Updating:
            iconPath = QStringLiteral(":/firmwareupdater/icons/refresh_black_icon_14x12_en");
            break;
        case CFirmwareUpdateEntity::Complete:
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

bool CTreeViewStatusDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                        const QStyleOptionViewItem &option,
                                        const QModelIndex &index)
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const int status = entity->data(CFirmwareUpdateEntity::UpdateStatus).toInt();
    QFont font = cellFont();
    font.setWeight(status == CFirmwareUpdateEntity::Updating ? QFont::Bold : QFont::Normal);
    return showCellToolTip(event, view, index, statusText(status), font,
                           option.rect.width() - ElideMargin - m_icon->width());
}

} // namespace Plugin::FirmwareUpdater::Internal::View
