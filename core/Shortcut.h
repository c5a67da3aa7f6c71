// A shortcut as the user pressed it: any set of the eight modifier keys, left
// and right kept apart, and at most one key, which may also be a mouse button
// or a wheel notch.
#pragma once

#include <array>
#include <cstdint>

namespace vela {

// The key part of a shortcut: 0 for none (a modifier alone), a virtual key
// 1..254, or a wheel notch. The mouse buttons are keys already: the system
// gives them virtual keys of their own. A wheel notch has none and takes a
// code above the byte range, so it can never be mistaken for a key.
using ShortcutKey = std::uint16_t;

namespace shortcutkey {
inline constexpr ShortcutKey None = 0;
inline constexpr ShortcutKey LeftButton = 0x01;
inline constexpr ShortcutKey RightButton = 0x02;
inline constexpr ShortcutKey MiddleButton = 0x04;
inline constexpr ShortcutKey BackButton = 0x05;     // the first extra button (X1)
inline constexpr ShortcutKey ForwardButton = 0x06;  // the second extra button (X2)
inline constexpr ShortcutKey LastVirtualKey = 0xFE;
inline constexpr ShortcutKey WheelUp = 0x101;
inline constexpr ShortcutKey WheelDown = 0x102;
inline constexpr ShortcutKey WheelLeft = 0x103;
inline constexpr ShortcutKey WheelRight = 0x104;
}  // namespace shortcutkey

constexpr bool isMouseButtonKey(ShortcutKey key) {
    return key == shortcutkey::LeftButton || key == shortcutkey::RightButton ||
           (key >= shortcutkey::MiddleButton && key <= shortcutkey::ForwardButton);
}
constexpr bool isWheelKey(ShortcutKey key) {
    return key >= shortcutkey::WheelUp && key <= shortcutkey::WheelRight;
}
// A virtual key a keyboard record can carry.
constexpr bool isKeyboardKey(ShortcutKey key) {
    return key != shortcutkey::None && key <= shortcutkey::LastVirtualKey && !isMouseButtonKey(key);
}
// Any value a shortcut's key part may hold, none included.
constexpr bool isShortcutKey(ShortcutKey key) {
    return key <= shortcutkey::LastVirtualKey || isWheelKey(key);
}

// The modifier keys in the order a shortcut presses them: Ctrl, Shift, Alt, Win,
// each left before right, as shortcuts are written and as the catalogue's own
// shortcuts go (Control before Windows). They come up in the reverse order.
inline constexpr std::array<std::uint8_t, 8> kModifierOrder{
    0xA2, 0xA3,  // left and right Control
    0xA0, 0xA1,  // left and right Shift
    0xA4, 0xA5,  // left and right Alt
    0x5B, 0x5C,  // left and right Windows
};

// Bit i stands for kModifierOrder[i]: going through the bits upwards is the
// pressing order.
using ModifierSet = std::uint8_t;
inline constexpr int kModifierCount = static_cast<int>(kModifierOrder.size());

namespace modifier {
inline constexpr ModifierSet LeftCtrl = 0x01;
inline constexpr ModifierSet RightCtrl = 0x02;
inline constexpr ModifierSet LeftShift = 0x04;
inline constexpr ModifierSet RightShift = 0x08;
inline constexpr ModifierSet LeftAlt = 0x10;
inline constexpr ModifierSet RightAlt = 0x20;
inline constexpr ModifierSet LeftWin = 0x40;
inline constexpr ModifierSet RightWin = 0x80;
}  // namespace modifier

// The bit of a modifier key; the keys that do not tell left from right
// (Shift 0x10, Control 0x11, Alt 0x12) count as the left one. 0 for any other
// key.
constexpr ModifierSet modifierBit(ShortcutKey key) {
    switch (key) {
        case 0x10:
            return modifierBit(0xA0);
        case 0x11:
            return modifierBit(0xA2);
        case 0x12:
            return modifierBit(0xA4);
        default:
            break;
    }
    for (int i = 0; i < kModifierCount; ++i) {
        if (kModifierOrder[static_cast<std::size_t>(i)] == key) {
            return static_cast<ModifierSet>(1u << i);
        }
    }
    return 0;
}
static_assert(modifierBit(0xA2) == modifier::LeftCtrl && modifierBit(0xA3) == modifier::RightCtrl &&
              modifierBit(0xA0) == modifier::LeftShift &&
              modifierBit(0xA1) == modifier::RightShift && modifierBit(0xA4) == modifier::LeftAlt &&
              modifierBit(0xA5) == modifier::RightAlt && modifierBit(0x5B) == modifier::LeftWin &&
              modifierBit(0x5C) == modifier::RightWin);

class Shortcut {
public:
    constexpr Shortcut() = default;
    // A key that is a modifier joins the modifiers, so one shortcut has one
    // spelling; a value that is no shortcut key (255, an unknown wheel code) is
    // dropped.
    constexpr Shortcut(ModifierSet modifiers, ShortcutKey key) : modifiers_(modifiers) {
        if (const ModifierSet bit = modifierBit(key)) {
            modifiers_ |= bit;
        } else if (isShortcutKey(key)) {
            key_ = key;
        }
    }

    constexpr ModifierSet modifiers() const { return modifiers_; }
    constexpr ShortcutKey key() const { return key_; }
    constexpr bool empty() const { return modifiers_ == 0 && key_ == shortcutkey::None; }
    // The same modifiers with another key: a key chosen from the list.
    constexpr Shortcut withKey(ShortcutKey key) const { return Shortcut(modifiers_, key); }

    constexpr bool operator==(const Shortcut&) const = default;

private:
    ModifierSet modifiers_ = 0;
    ShortcutKey key_ = shortcutkey::None;
};

}  // namespace vela
