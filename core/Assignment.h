// The assignment record of one button slot and the value tables its fields use.
#pragma once

#include <cstdint>
#include <string>

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
    // The input is a modifier: while it is held the other inputs act by its
    // layer (core/Layers.h). A value past the older ones, so that a reader
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
    // The flags of the per-slot options (core/SlotOptions.h).
    bool holdWhilePressed = false;

    bool operator==(const ButtonAssignment&) const = default;
};

}  // namespace vela
