// The assignment record of one button slot and the value tables its fields use.
#pragma once

#include <cstdint>
#include <string>

#include "core/Shortcut.h"

namespace vela {

// Values are stored in the settings file as plain integers, so the fields below
// hold raw int32 values: a value outside these enumerations is kept as read and
// simply makes an activation do nothing.
enum class ActionGroup : std::int32_t {
    MouseGroup = 0,
    KeyGroup = 1,
};

enum class MouseFunction : std::int32_t {
    LeftClick = 0,
    RightClick = 1,
    MiddleClick = 2,
    ForwardClick = 3,  // sent as XBUTTON2
    BackClick = 4,     // sent as XBUTTON1
    WheelUp = 5,
    WheelDown = 6,
};

enum class KeyAction : std::int32_t {
    SingleKey = 0,
    WinCombo = 1,
    CtrlCombo = 2,
    ShiftCombo = 3,
    AltCombo = 4,
    Launch = 5,
    Macro = 6,
    RepeatKey = 7,
    SwitchApps = 8,
    // Vela's own: outside the values above, so a reader that knows only those
    // (an older Vela, another host of the file) makes such a slot do nothing.
    Shortcut = 9,   // press `shortcut` as a keyboard would
    TypeText = 10,  // type `typedText` into the program in front
    // The input is a modifier: while it is held the other inputs act by its
    // layer (core/OverlayStack.h). A value past the older ones, so that a reader
    // that knows only those does nothing for it.
    LayerWhileHeld = 11,
};

constexpr std::int32_t toRaw(ActionGroup v) {
    return static_cast<std::int32_t>(v);
}
constexpr std::int32_t toRaw(MouseFunction v) {
    return static_cast<std::int32_t>(v);
}
constexpr std::int32_t toRaw(KeyAction v) {
    return static_cast<std::int32_t>(v);
}

// The power pseudo-paths a Launch target may hold. Compared exactly and
// case-sensitively: anything else is a file to open.
inline constexpr std::wstring_view kShutdownTarget = L"#kzkshutoff#";
inline constexpr std::wstring_view kHibernateTarget = L"#kzksleep#";
inline constexpr std::wstring_view kStandbyTarget = L"#kzkstandby#";

// The caption of a slot whose shortcut the settings file cannot say (a hand
// wrote something else there): the slot does nothing until it gets another.
inline constexpr std::wstring_view kUnreadableShortcutCaption = L"Invalid Shortcut";

// What one slot does. The settings file keeps each field under a key of its
// own: the store's field table (settings/ButtonSettingsStore.cpp) names them.
struct ButtonAssignment {
    std::wstring caption;            // text on the slot's caption button
    bool hookInstalled = false;      // the slot is remapped, its hook is in
    std::int32_t keyAction = 0;      // KeyAction, used for KeyGroup
    std::uint8_t virtualKey = 0;     // virtual-key code
    std::int32_t mouseFunction = 0;  // MouseFunction, used for MouseGroup
    std::wstring launchTarget;       // file to open or a power pseudo-path
    std::int32_t actionGroup = 0;    // ActionGroup
    std::wstring macroName;          // script in ScriptsMacros
    std::wstring description;        // the user's own note for the slot
    Shortcut shortcut;               // for Shortcut; empty when none or unreadable
    std::wstring typedText;          // for TypeText
    // The flags of the per-slot options (core/SlotOptions.h).
    bool holdWhilePressed = false;

    bool operator==(const ButtonAssignment&) const = default;

    // A shortcut function with no shortcut to press: what an unreadable one
    // in the file leaves.
    bool shortcutMissing() const {
        return hookInstalled && actionGroup == toRaw(ActionGroup::KeyGroup) &&
               keyAction == toRaw(KeyAction::Shortcut) && shortcut.empty();
    }
};

}  // namespace vela
