// The synthetic input operations of the executors: exact records, their
// grouping into SendInput calls, and the pauses between the calls.
#pragma once

#include <cstdint>

#include "core/Assignment.h"
#include "core/InputPorts.h"
#include "core/InputRecords.h"
#include "core/Shortcut.h"
#include "core/SlotTable.h"

namespace vela {

inline constexpr std::uint32_t kClickPauseMs = 30;
inline constexpr std::uint32_t kChordPauseMs = 30;
inline constexpr std::uint32_t kSlowChordPauseMs = 100;
inline constexpr std::uint32_t kRepeatLeadPauseMs = 30;

class InputSynth {
public:
    // Records go out through `out`; scan codes come from `state`.
    InputSynth(InputSendPort& out, InputStatePort& state) : out_(out), state_(state) {}
    explicit InputSynth(InputPort& input) : InputSynth(input, input) {}

    // Button down, 30 ms, button up: two calls. `function` must be a click
    // (LeftClick..BackClick); anything else sends nothing.
    void click(MouseFunction function, const MouseTarget& at);
    // One wheel notch in one call: +120 up, -120 down.
    void wheelStep(std::int32_t delta, const MouseTarget& at);
    // One notch of the horizontal wheel (the tilt) in one call: -120 left,
    // +120 right.
    void tiltStep(std::int32_t delta, const MouseTarget& at);
    // Down and up of one key in a single call, so nothing can fall between.
    void keyTap(std::uint8_t virtualKey);
    // Modifier down, pause (none when 0), key down, key up, modifier up: four calls.
    void modifierChord(std::uint8_t modifier, std::uint8_t virtualKey, std::uint32_t pauseMs);
    // Windows down, 100 ms, key down, key up, 100 ms, Windows up.
    void slowWindowsChord(std::uint8_t virtualKey);
    // The first half of a click or a shortcut, for a function held while its
    // input is down: the button down; or the modifier (when not 0) down, the
    // pause, the key down. What comes up later is the ledger's to send.
    void buttonDown(MouseFunction function, const MouseTarget& at);
    void keysDown(std::uint8_t modifier, std::uint8_t virtualKey, std::uint32_t pauseMs);
    // A shortcut pressed as a keyboard would: each modifier down in a call of its
    // own, in the fixed order; the pause (none when 0, or without a key); the
    // key down and up in a call each (a button down, 30 ms, up, where the
    // pointer is; a notch); each modifier up in reverse.
    void pressShortcut(const Shortcut& shortcut, std::uint32_t pauseMs);
    // Its first half, for a shortcut held while its input is down: the
    // modifiers, the pause, the key or button down (or the notch).
    void shortcutDown(const Shortcut& shortcut, std::uint32_t pauseMs);
    // Lets go of the Alt keys a finger still holds, with the menu-mask key
    // ahead so the program in front opens no menu bar: one call.
    void letGoOfAlt(bool left, bool right);
    // Control+Windows+Backspace with the fixed time stamps, in one call.
    void switchApps();
    // `presses` presses of a key in the slot's repeat style.
    void repeatTap(std::uint8_t virtualKey, int presses, RepeatStyle style);

private:
    InputRecord key(std::uint16_t virtualKey, bool up, std::uint32_t time = 0);
    void sendOne(const InputRecord& record);

    InputSendPort& out_;
    InputStatePort& state_;
};

}  // namespace vela
