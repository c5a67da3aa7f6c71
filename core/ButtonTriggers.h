// What a button does besides its one function per press, as the hook thread
// needs to know it: whether a held button's movement makes gestures, scrolls
// or is the layer button's own drag, and whether a double click or a long
// press are functions of their own. The functions themselves stay with Vela;
// the hook only says which trigger fired.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/MouseButtons.h"

namespace vela {

// A gesture's direction, on the screen: Up moves the pointer up.
enum class GestureDirection : std::uint8_t { Up, Down, Left, Right };
inline constexpr std::size_t kGestureDirectionCount = 4;

// What the movement of a held button is for.
enum class HoldUse : std::uint8_t {
    None,        // nothing: the pointer moves as ever
    Gestures,    // four directions, each a function; the pointer stays put
    DragScroll,  // movement scrolls; the pointer stays put
    Layer,       // a layer while held that keeps the button's own click and drag
};

struct ButtonTriggers {
    HoldUse hold = HoldUse::None;
    // Gestures: a direction fires again for each further distance moved in it.
    std::array<bool, kGestureDirectionCount> repeat{};
    // The click is the button's own input, replayed by the hook at the
    // release, rather than a function of Vela's (always so for drag to scroll).
    bool ownClick = true;
    // Drag to scroll: only along the first axis moved along; notches per
    // distance in percent of the default.
    bool axisLock = true;
    std::uint16_t scrollSpeed = 100;
    // Functions of their own (not for a layer button: its press acts at once).
    bool doubleClick = false;
    bool longPress = false;
    bool operator==(const ButtonTriggers&) const = default;

    // Whether the hook has anything to decide for the button: without, its
    // press acts at once, as it always did.
    constexpr bool any() const { return hold != HoldUse::None || doubleClick || longPress; }
};

// One row per mouse button (the left's stays empty: it has no slot).
struct TriggerSet {
    std::array<ButtonTriggers, kMouseButtonCount> buttons{};
    bool operator==(const TriggerSet&) const = default;

    const ButtonTriggers& of(MouseButton b) const { return buttons[indexOf(b)]; }
    ButtonTriggers& of(MouseButton b) { return buttons[indexOf(b)]; }
};

inline constexpr std::uint16_t kMinScrollSpeed = 10;
inline constexpr std::uint16_t kMaxScrollSpeed = 1000;

}  // namespace vela
