#include "core/ActionExecutor.h"

#include <array>
#include <limits>
#include <optional>
#include <variant>

#include "core/MouseButtons.h"

namespace vela {

namespace {

// A modifier's key, and the pause between it and the key it is held around.
struct ChordRow {
    ChordModifier modifier;
    std::uint8_t virtualKey;
    bool slotsControlPause;  // the slot table's Control pause instead of kChordPauseMs
};

constexpr std::array<ChordRow, 5> kChords{{
    {ChordModifier::None, 0, false},
    {ChordModifier::Windows, vk::LeftWindows, false},
    {ChordModifier::Control, vk::Control, true},
    {ChordModifier::Shift, vk::Shift, false},
    {ChordModifier::Alt, vk::Alt, false},
}};

constexpr bool chordsInOrder() {
    for (std::size_t i = 0; i < kChords.size(); ++i)
        if (static_cast<std::size_t>(kChords[i].modifier) != i) return false;
    return true;
}
static_assert(chordsInOrder(), "a modifier's row is at its own index");

struct Chord {
    std::uint8_t modifier;
    std::uint32_t pauseMs;
};

Chord chordOf(ChordModifier modifier, const SlotInfo& info) {
    const ChordRow& row = kChords[static_cast<std::size_t>(modifier)];
    if (row.virtualKey == 0) return Chord{0, 0};
    return Chord{row.virtualKey, row.slotsControlPause
                                     ? static_cast<std::uint32_t>(info.ctrlChordPauseMs)
                                     : kChordPauseMs};
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
    if (a.remapped) {
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
    if (a.holdWhilePressed && canHold(info.trigger) && pressAndHold(info, a.action)) return;
    std::visit(Cases{
                   [&](const action::Mouse& f) { runMouseFunction(f.function); },
                   [&](const action::Key& f) {
                       const Chord chord = chordOf(f.modifier, info);
                       if (chord.modifier == 0) {
                           synth_.keyTap(f.virtualKey);
                       } else {
                           synth_.modifierChord(chord.modifier, f.virtualKey, chord.pauseMs);
                       }
                   },
                   [&](const action::Launch& f) { launch(f.target); },
                   [&](const action::Macro& f) { startMacro(info, f); },
                   [&](const action::RepeatKey& f) { repeatKey(info, f.virtualKey); },
                   // Every slot sends the chord: the menu offers it on the tilt
                   // and Alt+Tab slots too, and a user who picks it expects it.
                   [&](const action::SwitchApps&) { synth_.switchApps(); },
                   [&](const action::PressShortcut& f) {
                       // None given, or none the file could say: nothing.
                       if (!f.shortcut.empty()) synth_.pressShortcut(f.shortcut, kChordPauseMs);
                   },
                   [&](const action::TypeText& f) { startTyping(info, f.text); },
                   // A layer button's press is the press path's; others do nothing.
                   [](const action::LayerWhileHeld&) {},
                   // The hook decides what the button's movement did; a click
                   // reaches the executor as its click function.
                   [](const action::Gestures&) {},
                   [](const action::DragScroll&) {},
                   [](const action::Unknown&) {},
               },
               a.action);
}

bool ActionExecutor::pressAndHold(const SlotInfo& info, const Action& function) {
    if (!ports_.held) return false;
    // Sent through the ledger under the slot's own name: its release, a new
    // assignment, pause, Reset or Exit let go of exactly this.
    TrackedInput heldInput(ports_.input, *ports_.held, heldFunctionOwner(info.slot));
    InputSynth synth(heldInput, ports_.state);
    return std::visit(Cases{
                          [&](const action::Mouse& f) {
                              if (!buttonClickedBy(f.function))
                                  return false;  // the wheel's have no release
                              synth.buttonDown(f.function, targetAtCursor(ports_.state));
                              return true;
                          },
                          [&](const action::Key& f) {
                              const Chord chord = chordOf(f.modifier, info);
                              synth.keysDown(chord.modifier, f.virtualKey, chord.pauseMs);
                              return true;
                          },
                          [&](const action::PressShortcut& f) {
                              if (f.shortcut.empty()) return false;
                              synth.shortcutDown(f.shortcut, kChordPauseMs);
                              return true;
                          },
                          // Programs, macros, repeats, texts: a press as ever.
                          [](const auto&) { return false; },
                      },
                      function);
}

void ActionExecutor::sendOwnInput(Slot slot) {
    const SlotInfo& info = slotInfo(slot);
    const MouseTarget at = targetAtCursor(ports_.state);
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

void ActionExecutor::runMouseFunction(MouseFunction function) {
    const MouseTarget at = targetAtCursor(ports_.state);
    // No hook of ours is lifted around the send: the engine lets injected
    // input through untouched and never reports it, so Vela's own click cannot
    // come back as a press, and a physical press of the same button meanwhile
    // is still remapped.
    if (function == MouseFunction::WheelUp) {
        synth_.wheelStep(kWheelDelta, at);
    } else if (function == MouseFunction::WheelDown) {
        synth_.wheelStep(-kWheelDelta, at);
    } else {
        synth_.click(function, at);
    }
}

void ActionExecutor::startTyping(const SlotInfo& info, const std::wstring& text) {
    if (!ports_.typing || text.empty()) return;
    // One text at a time per slot, as one script: a press meanwhile is dropped.
    if (!playbackThreads_.tryBegin(info.slot)) return;
    if (!ports_.typing->startTyping(info.slot, text)) playbackThreads_.finish(info.slot);
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

void ActionExecutor::startMacro(const SlotInfo& info, const action::Macro& macro) {
    if (info.macro == MacroBehaviour::SlowWindowsChord) {
        synth_.slowWindowsChord(macro.virtualKey);
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
