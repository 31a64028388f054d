#include "view/CTreeViewResultDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 37;
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
        QString text;
        QString iconPath;
        bool bold = false;
        switch (entity->data(CFirmwareUpdateEntity::UpdateResult).toInt()) {
        case CFirmwareUpdateEntity::OK:
            text = tr("OK");
            iconPath = QStringLiteral(":/firmwareupdater/icons/update_ok_icon_12x8_en");
            break;
        case CFirmwareUpdateEntity::Failed:
            text = tr("Failed");
            iconPath = QStringLiteral(":/firmwareupdater/icons/update_failed_icon_12x11_en");
            bold = true;
            break;
        case CFirmwareUpdateEntity::Skipped:
            text = tr("Skipped");
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

} // namespace Plugin::FirmwareUpdater::Internal::View
