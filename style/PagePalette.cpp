#include "style/PagePalette.h"

#include <QColor>

namespace Plugin::FirmwareUpdater::Internal::Style::PagePalette {

QPalette light()
{
    // Button and window colours; Qt derives the text, base and shade roles
    // from them.
    QPalette palette(QColor(240, 240, 240), QColor(Qt::white));
    palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
    palette.setColor(QPalette::HighlightedText, QColor(Qt::white));
    palette.setColor(QPalette::Link, QColor(0, 0, 238));
    palette.setColor(QPalette::LinkVisited, QColor(85, 26, 139));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, QColor(Qt::black));
    palette.setColor(QPalette::PlaceholderText, QColor(110, 110, 110));
    // Set every role explicitly, so none is taken from the desktop's palette
    // when a widget resolves this one against it.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colorGroup = QPalette::ColorGroup(group);
            const auto colorRole = QPalette::ColorRole(role);
            palette.setBrush(colorGroup, colorRole, palette.brush(colorGroup, colorRole));
        }
    }
    return palette;
}

} // namespace Plugin::FirmwareUpdater::Internal::Style::PagePalette
