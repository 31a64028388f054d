#include "view/CTreeViewHeaderView.h"

#include "host/CStyleHelper.h"
#include "style/CTreeViewHeaderStyle.h"

namespace Plugin::FirmwareUpdater::Internal::View {

namespace {
constexpr int MinimumBaseHeight = 25;
// Room under the title for the band's lower part.
constexpr int ExtraHeight = 11;
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
}

CTreeViewHeaderView::~CTreeViewHeaderView()
{
    setStyle(nullptr);
    if (m_headerStyle)
        m_headerStyle->deleteLater();
}

QSize CTreeViewHeaderView::sizeHint() const
{
    QSize hint = QHeaderView::sizeHint();
    hint.setHeight(qMax(hint.height(), MinimumBaseHeight) + ExtraHeight);
    return hint;
}

} // namespace Plugin::FirmwareUpdater::Internal::View
