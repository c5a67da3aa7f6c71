// What one input does when it is remapped: one value of a closed set of
// functions, each carrying only what it needs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "core/Shortcut.h"

namespace vela {

enum class MouseFunction : std::uint8_t {
    LeftClick,
    RightClick,
    MiddleClick,
    ForwardClick,  // sent as XBUTTON2
    BackClick,     // sent as XBUTTON1
    WheelUp,
    WheelDown,
};
inline constexpr std::size_t kMouseFunctionCount = 7;

// The modifier held around a key of a plain key function.
enum class ChordModifier : std::uint8_t {
    None,
    Windows,
    Control,
    Shift,
    Alt,
};

namespace action {

// A click of a button or a notch of the wheel.
struct Mouse {
    MouseFunction function = MouseFunction::LeftClick;
    bool operator==(const Mouse&) const = default;
};

// One key, alone or with a modifier held around it.
struct Key {
    ChordModifier modifier = ChordModifier::None;
    std::uint8_t virtualKey = 0;
    bool operator==(const Key&) const = default;
};

// A file to open, or one of the power pseudo-paths below.
struct Launch {
    std::wstring target;
    bool operator==(const Launch&) const = default;
};

// A script of the macro folder played on a thread of its own; the Alt+Tab
// slot plays none and sends Windows with `virtualKey` slowly instead.
struct Macro {
    std::wstring script;
    std::uint8_t virtualKey = 0;
    bool operator==(const Macro&) const = default;
};

// A key sent once per press, three times once presses come quickly.
struct RepeatKey {
    std::uint8_t virtualKey = 0;
    bool operator==(const RepeatKey&) const = default;
};

// The system's own task switcher.
struct SwitchApps {
    bool operator==(const SwitchApps&) const = default;
};

// Any shortcut, pressed as a keyboard would; empty when none was given or
// the settings file could not say it.
struct PressShortcut {
    Shortcut shortcut;
    bool operator==(const PressShortcut&) const = default;
};

// A text typed into the program in front.
struct TypeText {
    std::wstring text;
    bool operator==(const TypeText&) const = default;
};

// While the button is held, the other inputs act by its layer
// (core/OverlayStack.h).
struct LayerWhileHeld {
    // Whether the button keeps its own click and drag (core/LayerButton.h):
    // as the user chose, else as the button does by default.
    std::optional<bool> ownClick;
    bool operator==(const LayerWhileHeld&) const = default;
};

// Held and moved up, down, left or right, the button does that direction's
// function (ButtonAssignment::triggers); a direction may fire again while
// the move goes on in it. Released unmoved, it clicks.
struct Gestures {
    std::array<bool, 4> repeat{};  // by GestureDirection
    bool operator==(const Gestures&) const = default;
};

// Held and moved, the button scrolls the window under the pointer; released
// unmoved, it clicks as itself.
struct DragScroll {
    bool axisLock = true;       // only along the first axis moved along
    std::uint16_t speed = 100;  // in percent of the default
    bool operator==(const DragScroll&) const = default;
};

// A function the settings file names that this Vela does not know (a newer
// one wrote it, or a hand): kept as read, and does nothing.
struct Unknown {
    std::int32_t group = 0;
    std::int32_t keyFunction = 0;
    std::int32_t mouseFunction = 0;
    bool operator==(const Unknown&) const = default;
};

}  // namespace action

using Action =
    std::variant<action::Mouse, action::Key, action::Launch, action::Macro, action::RepeatKey,
                 action::SwitchApps, action::PressShortcut, action::TypeText,
                 action::LayerWhileHeld, action::Gestures, action::DragScroll, action::Unknown>;

template <typename Function>
constexpr bool holds(const Action& a) {
    return std::holds_alternative<Function>(a);
}

// One handler per function, for std::visit over an Action: a kind without a
// handler (and no catch-all) fails to build.
template <class... F>
struct Cases : F... {
    using F::operator()...;
};
// Spelt out for compilers without deduction for aggregates (clang 14).
template <class... F>
Cases(F...) -> Cases<F...>;

// The power pseudo-paths a Launch target may hold. Compared exactly and
// case-sensitively: anything else is a file to open.
inline constexpr std::wstring_view kShutdownTarget = L"#kzkshutoff#";
inline constexpr std::wstring_view kHibernateTarget = L"#kzksleep#";
inline constexpr std::wstring_view kStandbyTarget = L"#kzkstandby#";

}  // namespace vela
