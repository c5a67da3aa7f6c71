// A shortcut as the settings file keeps it, the same on every system and in
// every language.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Shortcut.h"

namespace vela {

// The keys joined by '+', the modifiers in pressing order and the key last:
// "162+160+84" is left Ctrl, left Shift, T. A virtual key (the mouse buttons
// included) is its decimal number; a wheel notch is WheelUp, WheelDown,
// WheelLeft or WheelRight. The empty shortcut is the empty text.
std::wstring storedShortcut(const Shortcut& shortcut);

// Reads what storedShortcut writes, and what a hand may have written instead:
// blanks around the keys, the modifiers in any order, the generic Shift (16),
// Control (17) and Alt (18) as the left keys, any case of a wheel word.
// Nothing else: an empty text or part, a number outside 1..254 or of more than
// three digits, a sign, a key given twice, a key that is not last, two keys,
// or any other word gives nullopt.
std::optional<Shortcut> parseStoredShortcut(std::wstring_view text);

}  // namespace vela
