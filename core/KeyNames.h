// The words a shortcut is shown in: the keyboard layout's own names where it has
// them ("Strg+Umschalt+T" on a German system), English ones otherwise.
#pragma once

#include <cstdint>
#include <string>

#include "core/Shortcut.h"

namespace vela {

// The keyboard layout's names for its keys.
class KeyNames {
public:
    virtual ~KeyNames() = default;
    // The layout's name of a keyboard key; empty when it has none.
    virtual std::wstring keyName(std::uint16_t virtualKey) = 0;
};

// Vela's own English name of any shortcut key: every virtual key, the mouse
// buttons and the wheel notches. A code with no meaning of its own is
// "Key" and its number.
std::wstring englishKeyName(ShortcutKey key);

// "Ctrl+Shift+T", "Ctrl+Win+Right", "Ctrl+Wheel Up", "Right Ctrl+F13": the
// modifiers in pressing order, then the key, joined by '+'. Keyboard keys are
// named by the layout, or in English when it has no name; the Windows keys,
// the mouse buttons and the wheel always by Vela, since layouts have no short
// name for them. The empty shortcut is the empty text.
std::wstring shortcutText(const Shortcut& shortcut, KeyNames& names);

}  // namespace vela
