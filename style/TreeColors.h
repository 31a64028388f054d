#pragma once

#include <QRgb>

// One palette for the tree header and the item delegates, so that a hovered
// header section and a hovered row share their colour.
namespace Plugin::FirmwareUpdater::Internal::Style::TreeColors {

// Background of a pressed header section and of a selected row.
constexpr QRgb Pressed = qRgb(204, 235, 255);
// Background of a hovered header section and of a hovered row.
constexpr QRgb Hovered = qRgb(229, 243, 255);
// Line under the header's coloured band.
constexpr QRgb BandLine = qRgb(223, 223, 223);
// Separator between header sections and between cells.
constexpr QRgb Separator = qRgb(240, 240, 240);
// Frame around a selected row under the mouse.
constexpr QRgb HoverFrame = qRgb(153, 209, 255);
// Background of a disabled cell.
constexpr QRgb DisabledBase = qRgb(255, 255, 255);

} // namespace Plugin::FirmwareUpdater::Internal::Style::TreeColors
