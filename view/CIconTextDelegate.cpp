#include "view/CIconTextDelegate.h"

#include "view/TreeDelegatePainting.h"

#include <QLabel>

namespace Plugin::FirmwareUpdater::Internal::View {

using Entity::CFirmwareUpdateEntity;
using namespace TreeDelegatePainting;

namespace {
constexpr int ElideMargin = 37;
}

CIconTextDelegate::CIconTextDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    QLabel *icon = nullptr;
    QLabel *text = nullptr;
    m_cell = createIconCell(&icon, &text);
    m_icon = icon;
    m_text = text;
}

CIconTextDelegate::~CIconTextDelegate()
{
    if (m_cell)
        m_cell->deleteLater();
}

int CIconTextDelegate::textWidth(const QStyleOptionViewItem &option) const
{
    return option.rect.width() - ElideMargin - m_icon->width();
}

void CIconTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    paintCell(painter, option, *entity, m_cell, [&] {
        const Shown cell = shown(*entity);
        m_icon->setPixmap(cell.icon.isEmpty() ? QPixmap() : QPixmap(cell.icon));
        const int width = textWidth(option);
        QFont font = m_text->font();
        font.setWeight(cell.weight == Weight::Normal ? QFont::Normal : QFont::Bold);
        if (cell.weight == Weight::BoldMarkup) {
            // Elide the word, not the markup around it, so a narrow column
            // never shows a cut tag.
            const QString elided = QFontMetrics(font).elidedText(cell.text, Qt::ElideRight, width);
            m_text->setTextFormat(Qt::RichText);
            m_text->setText(QStringLiteral("<b>%1</b>").arg(elided.toHtmlEscaped()));
        } else {
            m_text->setFont(font);
            m_text->setTextFormat(Qt::PlainText);
            m_text->setText(m_text->fontMetrics().elidedText(cell.text, Qt::ElideRight, width));
        }
        layOutIconCell(m_cell);
        return index.row() == 0 ? 4 : 0;
    });
}

bool CIconTextDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                  const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const QPointer<CFirmwareUpdateEntity> entity = entityAt(index);
    if (!entity)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const Shown cell = shown(*entity);
    QFont font = cellFont();
    font.setWeight(cell.weight == Weight::Normal ? QFont::Normal : QFont::Bold);
    return showCellToolTip(event, view, index, cell.text, font, textWidth(option));
}

} // namespace Plugin::FirmwareUpdater::Internal::View
