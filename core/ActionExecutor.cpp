#include "core/ActionExecutor.h"

#include <array>
#include <limits>
#include <optional>

#include "core/MouseButtons.h"

namespace vela {

namespace {

// The key functions that press one key, alone or with a modifier held around
// it: the modifier (0 for none) and the pause between it and the key.
struct ChordRow {
    KeyAction action;
    std::uint8_t modifier;
    bool slotsControlPause;  // the slot table's Control pause instead of kChordPauseMs
};

constexpr std::array<ChordRow, 5> kChords{{
    {KeyAction::SingleKey, 0, false},
    {KeyAction::WinCombo, vk::LeftWindows, false},
    {KeyAction::CtrlCombo, vk::Control, true},
    {KeyAction::ShiftCombo, vk::Shift, false},
    {KeyAction::AltCombo, vk::Alt, false},
}};

struct Chord {
    std::uint8_t modifier;
    std::uint32_t pauseMs;
};

std::optional<Chord> chordOf(std::int32_t keyAction, const SlotInfo& info) {
    for (const ChordRow& row : kChords) {
        if (toRaw(row.action) != keyAction) continue;
        if (row.modifier == 0) return Chord{0, 0};
        return Chord{row.modifier, row.slotsControlPause
                                       ? static_cast<std::uint32_t>(info.ctrlChordPauseMs)
                                       : kChordPauseMs};
    }
    return std::nullopt;
}

}  // namespace

ActionExecutor::ActionExecutor(SlotModel& model, ExecutorPorts ports,
                               PlaybackThreads& playbackThreads)
    : model_(model),
      ports_(ports),
      playbackThreads_(playbackThreads),
      functionInput_(ports.held
                         ? std::make_unique<TrackedInput>(ports.input, *ports.held, kFunctionsOwner)
                         : nullptr),
      synth_(functionInput_ ? static_cast<InputSendPort&>(*functionInput_) : ports.input,
             ports.state) {}

void ActionExecutor::onActivation(Slot slot, std::uint32_t detail) {
    const ButtonAssignment& a = model_.at(slot);
    if (a.hookInstalled) {
        run(slot, a, detail);
    } else {
        sendOwnInput(slot);
    }
}

void ActionExecutor::run(Slot slot, const ButtonAssignment& a, std::uint32_t detail) {
    const SlotInfo& info = slotInfo(slot);
    // Alt went through to the program in front; with a finger still on it the
    // slot's keys would come out as Alt shortcuts. It is let go first.
    if (info.trigger == Trigger::AltTab && (detail & (heldalt::Left | heldalt::Right)))
        synth_.letGoOfAlt((detail & heldalt::Left) != 0, (detail & heldalt::Right) != 0);
    if (a.holdWhilePressed && canHold(info.trigger) && pressAndHold(info, a)) return;
    if (a.actionGroup == toRaw(ActionGroup::MouseGroup)) {
        runMouseFunction(a.mouseFunction);
    } else if (a.actionGroup == toRaw(ActionGroup::KeyGroup)) {
        runKeyAction(info, a);
    }
}

bool ActionExecutor::pressAndHold(const SlotInfo& info, const ButtonAssignment& a) {
    if (!ports_.held) return false;
    // Sent through the ledger under the slot's own name: its release, a new
    // assignment, pause, Reset or Exit let go of exactly this.
    TrackedInput heldInput(ports_.input, *ports_.held, heldFunctionOwner(info.slot));
    InputSynth synth(heldInput, ports_.state);
    if (a.actionGroup == toRaw(ActionGroup::MouseGroup)) {
        if (!buttonClickedBy(a.mouseFunction)) return false;  // the wheel's have no release
        synth.buttonDown(static_cast<MouseFunction>(a.mouseFunction),
                         targetAtCursor(ports_.state.cursorPos(), ports_.state.primaryScreenSize(),
                                        ports_.state.virtualScreen()));
        return true;
    }
    if (a.actionGroup != toRaw(ActionGroup::KeyGroup)) return false;
    if (a.keyAction == toRaw(KeyAction::Shortcut)) {
        if (a.shortcut.empty()) return false;
        synth.shortcutDown(a.shortcut, kChordPauseMs);
        return true;
    }
    // Programs, macros, repeats, texts: a press as ever.
    const std::optional<Chord> chord = chordOf(a.keyAction, info);
    if (!chord) return false;
    synth.keysDown(chord->modifier, a.virtualKey, chord->pauseMs);
    return true;
}

void ActionExecutor::sendOwnInput(Slot slot) {
    const SlotInfo& info = slotInfo(slot);
    const MouseTarget at = targetAtCursor(
        ports_.state.cursorPos(), ports_.state.primaryScreenSize(), ports_.state.virtualScreen());
    switch (info.trigger) {
        case Trigger::WheelDown:
            synth_.wheelStep(-kWheelDelta, at);
            return;
        case Trigger::WheelUp:
            synth_.wheelStep(kWheelDelta, at);
            return;
        case Trigger::TiltLeft:
            synth_.tiltStep(-kWheelDelta, at);
            return;
        case Trigger::TiltRight:
            synth_.tiltStep(kWheelDelta, at);
            return;
        default:
            break;
    }
    // Under the slot's own name, as a held function: the input's release, and
    // Exit, pause or a restore of the hooks, let go of it. Alt stays as the
    // user holds it, so an Alt+Tab reaches the system as one.
    if (!ports_.held) {
        if (info.trigger == Trigger::AltTab) {
            synth_.keyTap(vk::Tab);
        } else if (info.ownFunction) {
            synth_.click(*info.ownFunction, at);
        }
        return;
    }
    TrackedInput heldInput(ports_.input, *ports_.held, heldFunctionOwner(info.slot));
    InputSynth synth(heldInput, ports_.state);
    if (info.trigger == Trigger::AltTab) {
        synth.keysDown(0, vk::Tab, 0);
    } else if (info.ownFunction) {
        synth.buttonDown(*info.ownFunction, at);
    }
}

void ActionExecutor::onRelease(Slot slot) {
    if (!ports_.held) return;
    const std::vector<InputRecord> releases = ports_.held->takeReleases(heldFunctionOwner(slot));
    if (!releases.empty()) ports_.input.send(releases);
}

void ActionExecutor::runMouseFunction(std::int32_t function) {
    // The position is read once, before the function is looked at, so both
    // halves of a click land on the same spot.
    const MouseTarget at = targetAtCursor(
        ports_.state.cursorPos(), ports_.state.primaryScreenSize(), ports_.state.virtualScreen());
    if (function < toRaw(MouseFunction::LeftClick) || function > toRaw(MouseFunction::WheelDown)) {
        return;
    }
    const auto mouse = static_cast<MouseFunction>(function);

    // No hook of ours is lifted around the send: the engine lets injected
    // input through untouched and never reports it, so Vela's own click cannot
    // come back as a press, and a physical press of the same button meanwhile
    // is still remapped.
    if (mouse == MouseFunction::WheelUp) {
        synth_.wheelStep(kWheelDelta, at);
    } else if (mouse == MouseFunction::WheelDown) {
        synth_.wheelStep(-kWheelDelta, at);
    } else {
        synth_.click(mouse, at);
    }
}

void ActionExecutor::runKeyAction(const SlotInfo& info, const ButtonAssignment& a) {
    if (const std::optional<Chord> chord = chordOf(a.keyAction, info)) {
        if (chord->modifier == 0) {
            synth_.keyTap(a.virtualKey);
        } else {
            synth_.modifierChord(chord->modifier, a.virtualKey, chord->pauseMs);
        }
        return;
    }
    switch (a.keyAction) {
        case toRaw(KeyAction::Launch):
            launch(a.launchTarget);
            break;
        case toRaw(KeyAction::Macro):
            startMacro(info, a);
            break;
        case toRaw(KeyAction::RepeatKey):
            repeatKey(info, a.virtualKey);
            break;
        case toRaw(KeyAction::SwitchApps):
            // Every slot sends the chord: the menu offers it on the tilt and
            // Alt+Tab slots too, and a user who picks it expects it to work.
            synth_.switchApps();
            break;
        case toRaw(KeyAction::Shortcut):
            pressShortcut(a.shortcut);
            break;
        case toRaw(KeyAction::TypeText):
            startTyping(info, a);
            break;
        default:
            break;
    }
}

void ActionExecutor::pressShortcut(const Shortcut& shortcut) {
    if (shortcut.empty()) return;  // none given, or none the file could say
    synth_.pressShortcut(shortcut, kChordPauseMs);
}

void ActionExecutor::startTyping(const SlotInfo& info, const ButtonAssignment& a) {
    if (!ports_.typing || a.typedText.empty()) return;
    // One text at a time per slot, as one script: a press meanwhile is dropped.
    if (!playbackThreads_.tryBegin(info.slot)) return;
    if (!ports_.typing->startTyping(info.slot, a.typedText)) playbackThreads_.finish(info.slot);
}

void ActionExecutor::launch(const std::wstring& target) {
    if (target == kShutdownTarget) {
        ports_.shell.runCommandAndWait(std::wstring(kShutdownCommand));
    } else if (target == kHibernateTarget) {
        ports_.power.requestPowerState(false);
    } else if (target == kStandbyTarget) {
        ports_.power.requestPowerState(true);
    } else {
        ports_.shell.openFile(target);
    }
}

void ActionExecutor::startMacro(const SlotInfo& info, const ButtonAssignment& a) {
    if (info.macro == MacroBehaviour::SlowWindowsChord) {
        synth_.slowWindowsChord(a.virtualKey);
        return;
    }
    // A press during a running playback is dropped, not queued.
    if (!playbackThreads_.tryBegin(info.slot)) return;
    if (!ports_.playback.startPlayback(info.slot)) playbackThreads_.finish(info.slot);
}

void ActionExecutor::repeatKey(const SlotInfo& info, std::uint8_t virtualKey) {
    const std::uint32_t now = ports_.state.tickCount();
    int presses = 1;
    if (repeat_.firstPress) {
        repeat_.firstPress = false;
    } else if (now - repeat_.lastPressTick > kRepeatWindowMs) {  // wraps like the tick count
        repeat_.streak = 0;
    } else {
        if (repeat_.streak >= kRepeatStreakForTriple) presses = 3;
        if (repeat_.streak < std::numeric_limits<std::int32_t>::max()) ++repeat_.streak;
    }
    repeat_.lastPressTick = now;
    synth_.repeatTap(virtualKey, presses, info.repeat);
}

}  // namespace vela
