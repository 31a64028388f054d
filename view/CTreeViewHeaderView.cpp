#include "view/CTreeViewHeaderView.h"

#include "host/CStyleHelper.h"
#include "style/CTreeViewHeaderStyle.h"

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>

namespace Plugin::FirmwareUpdater::Internal::View {

namespace {
constexpr int MinimumBaseHeight = 25;
// Room under the title for the band's lower part.
constexpr int ExtraHeight = 11;
constexpr int TitleIndent = 11;
} // namespace

CTreeViewHeaderView::CTreeViewHeaderView(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_headerStyle(new Style::CTreeViewHeaderStyle)
{
    // Parented so that the style never outlives the header, even without an
    // event loop to run the deferred deletion.
    m_headerStyle->setParent(this);
    setStyle(m_headerStyle);

    QFont headerFont = font();
    headerFont.setFamily(QStringLiteral("Segoe UI"));
    headerFont.setPixelSize(Core::OndrelViewerComponents::CStyleHelper::computePixelFontSize(12));
    headerFont.setWeight(QFont::Bold);
    setFont(headerFont);

    setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextElideMode(Qt::ElideRight);
    // The last column takes what the others leave of the viewport, also once
    // a vertical scroll bar narrows it.
    setStretchLastSection(true);
}

CTreeViewHeaderView::~CTreeViewHeaderView()
{
    setStyle(nullptr);
    if (m_headerStyle)
        m_headerStyle->deleteLater();
}

void CTreeViewHeaderView::changeEvent(QEvent *event)
{
    QHeaderView::changeEvent(event);
    // The model translates its titles when asked; ask again.
    if (event->type() == QEvent::LanguageChange && count() > 0)
        headerDataChanged(Qt::Horizontal, 0, count() - 1);
}

bool CTreeViewHeaderView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && model()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int section = logicalIndexAt(help->pos());
        const QString title = model()->headerData(section, orientation()).toString();
        // Every title but the first is indented by the header style.
        const int room = sectionSize(section) - (visualIndex(section) == 0 ? 0 : TitleIndent);
        if (section >= 0 && fontMetrics().horizontalAdvance(title) > room) {
            QToolTip::showText(help->globalPos(), title, this);
            return true;
        }
    }
    return QHeaderView::viewportEvent(event);
}

QSize CTreeViewHeaderView::sizeHint() const
{
    QSize hint = QHeaderView::sizeHint();
    hint.setHeight(qMax(hint.height(), MinimumBaseHeight) + ExtraHeight);
    return hint;
}

} // namespace Plugin::FirmwareUpdater::Internal::View
