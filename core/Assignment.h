// The assignment record of one button slot.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/Action.h"

namespace vela {

// The caption of a slot whose shortcut the settings file cannot say (a hand
// wrote something else there): the slot does nothing until it gets another.
inline constexpr std::wstring_view kUnreadableShortcutCaption = L"Invalid Shortcut";

// What one slot does. The settings file keeps each part under keys of its
// own: the store's field table (settings/ButtonSettingsStore.cpp) names them
// and is the only place that turns the file's numbers into a function.
// The functions of a button's other triggers, each optional. A direction
// acts only while the button's function is Gestures; the click only then
// (without, the click is the button's own); a double click and a long press
// on any button function but a layer.
struct TriggerFunctions {
    std::array<std::optional<Action>, 4> gestures;  // by GestureDirection
    std::optional<Action> click;
    std::optional<Action> doubleClick;
    std::optional<Action> longPress;
    bool operator==(const TriggerFunctions&) const = default;
};

struct ButtonAssignment {
    std::wstring caption;  // text on the slot's caption button
    // The user gave the slot a function: its hook goes in whenever Vela's
    // hooks are in (whether one is in now is the slot model's to say).
    bool remapped = false;
    // Kept while the slot is native, so "No Settings" forgets nothing.
    Action action;
    std::wstring description;  // the user's own note for the slot
    // The flags of the per-slot options (core/SlotOptions.h).
    bool holdWhilePressed = false;
    // What the button's gestures, click, double click and long press do.
    TriggerFunctions triggers;

    bool operator==(const ButtonAssignment&) const = default;

    // Whether the slot's hook must be in: it has a function, or its button a
    // double click or long press of its own (its click then goes out as
    // itself).
    bool needsHook() const {
        return remapped || triggers.doubleClick.has_value() || triggers.longPress.has_value();
    }

    // The slot's function when it is remapped to one of this kind.
    template <typename Function>
    const Function* as() const {
        return remapped ? std::get_if<Function>(&action) : nullptr;
    }

    // A shortcut function with no shortcut to press: what an unreadable one
    // in the file leaves.
    bool shortcutMissing() const {
        const auto* press = as<action::PressShortcut>();
        return press && press->shortcut.empty();
    }
};

}  // namespace vela
