// The layout of one owner-drawn menu row: its measured size and where the
// button area, the icon and the text go. Pure arithmetic, shared by the
// drawing code and its tests.
#pragma once

#include <algorithm>

#include "core/Geometry.h"

namespace vela::menu {

// Edge of the icon drawn beside each row, in pixels.
inline constexpr int kMenuIconSize = 16;

// Room for the button area on the left and the submenu arrow on the right;
// the platform adds its own check-mark width, which the row gives back.
constexpr Size measureMenuRow(int textWidth, int textHeight, int iconSize, int checkMarkWidth) {
    return {2 * iconSize + 12 + textWidth + 1 - checkMarkWidth, std::max(textHeight, iconSize + 4)};
}

// The square at the left end of the row holding the icon.
constexpr Rect menuButtonArea(const Rect& row) {
    return {row.left, row.top, row.left + (row.bottom - row.top), row.bottom};
}

constexpr Rect menuIconArea(const Rect& button) {
    return {button.left + 2, button.top + 2, button.right - 2, button.bottom - 2};
}

// From just right of the button area to an icon's width short of the row's
// end, where the platform draws the submenu arrow.
constexpr Rect menuTextArea(const Rect& row, int iconSize) {
    const int buttonWidth = row.bottom - row.top;
    return {row.left + buttonWidth + 2, row.top, row.right - iconSize, row.bottom};
}

}  // namespace vela::menu
