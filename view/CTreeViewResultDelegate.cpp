#include "view/CTreeViewResultDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 37;

QString resultText(int result)
{
    switch (result) {
    case CFirmwareUpdateEntity::OK:
        return CTreeViewResultDelegate::tr("OK");
    case CFirmwareUpdateEntity::Failed:
        return CTreeViewResultDelegate::tr("Failed");
    case CFirmwareUpdateEntity::Skipped:
        return CTreeViewResultDelegate::tr("Skipped");
    }
    return {};
}
} // namespace

CTreeViewResultDelegate::CTreeViewResultDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    QLabel *icon = nullptr;
    QLabel *text = nullptr;
    m_cell = createIconCell(&icon, &text);
    m_icon = icon;
    m_text = text;
}

CTreeViewResultDelegate::~CTreeViewResultDelegate()
{
    if (m_cell)
        m_cell->deleteLater();
}

void CTreeViewResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    paintCell(painter, option, *entity, m_cell, [&] {
        const int result = entity->data(CFirmwareUpdateEntity::UpdateResult).toInt();
        const QString text = resultText(result);
        QString iconPath;
        bool bold = false;
        switch (result) {
        case CFirmwareUpdateEntity::OK:
            iconPath = QStringLiteral(":/firmwareupdater/icons/update_ok_icon_12x8_en");
            break;
        case CFirmwareUpdateEntity::Failed:
            iconPath = QStringLiteral(":/firmwareupdater/icons/update_failed_icon_12x11_en");
            bold = true;
            break;
        case CFirmwareUpdateEntity::Skipped:
            iconPath = QStringLiteral(":/firmwareupdater/icons/update_skipped_icon_12x3_en");
            break;
        }
        m_icon->setPixmap(iconPath.isEmpty() ? QPixmap() : QPixmap(iconPath));
        const int width = option.rect.width() - ElideMargin - m_icon->width();
        if (bold) {
            // Elide the word, not the markup around it, so a narrow column
            // never shows a cut tag.
            QFont font = m_text->font();
            font.setWeight(QFont::Bold);
            const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, width);
            m_text->setTextFormat(Qt::RichText);
            m_text->setText(QStringLiteral("<b>%1</b>").arg(shown.toHtmlEscaped()));
        } else {
            m_text->setTextFormat(Qt::PlainText);
            m_text->setText(m_text->fontMetrics().elidedText(text, Qt::ElideRight, width));
        }
        layOutIconCell(m_cell);
        return index.row() == 0 ? 4 : 0;
    });
}

bool CTreeViewResultDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                        const QStyleOptionViewItem &option,
                                        const QModelIndex &index)
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const int result = entity->data(CFirmwareUpdateEntity::UpdateResult).toInt();
    QFont font = cellFont();
    font.setWeight(result == CFirmwareUpdateEntity::Failed ? QFont::Bold : QFont::Normal);
    return showCellToolTip(event, view, index, resultText(result), font,
                           option.rect.width() - ElideMargin - m_icon->width());
}

} // namespace Plugin::FirmwareUpdater::Internal::View
