#pragma once

#include <QPalette>

// The pages and the tree cells draw on white whatever scheme the desktop
// uses, so they take every colour from one light palette: a dark desktop
// palette would otherwise put near-white text on their white background.
namespace Plugin::FirmwareUpdater::Internal::Style::PagePalette {

QPalette light();

} // namespace Plugin::FirmwareUpdater::Internal::Style::PagePalette
