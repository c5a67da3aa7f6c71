// Carries out a slot's assignment each time its hook library reports it.
#pragma once

#include <cstdint>
#include <memory>

#include "core/HeldInputs.h"
#include "core/InputPorts.h"
#include "core/InputSynth.h"
#include "core/PlaybackPorts.h"
#include "core/PlaybackThreads.h"
#include "core/ShellPorts.h"
#include "core/SlotModel.h"
#include "core/TrackedInput.h"

namespace vela {

// Shared by every slot: quick presses of two slots that both hold RepeatKey
// count towards one streak.
struct RepeatKeyState {
    bool firstPress = true;
    std::uint32_t lastPressTick = 0;
    std::int32_t streak = 0;
};

// Presses no more than this far apart (inclusive) make a streak.
inline constexpr std::uint32_t kRepeatWindowMs = 500;
// From this many quick presses on, each press sends three keys.
inline constexpr std::int32_t kRepeatStreakForTriple = 3;

// The command the shutdown pseudo-path runs.
inline constexpr std::wstring_view kShutdownCommand = L"shutdown /s /t 0";

struct ExecutorPorts {
    // The functions' input goes out through `input`; where the pointer is,
    // the clock and the layout come from `state`.
    InputSendPort& input;
    InputStatePort& state;
    ShellPort& shell;
    PowerPort& power;
    PlaybackPort& playback;
    // The ledger of held input: every function's keys are noted in it, and
    // functions held while their input is down need it (without one they run
    // as a press and release at once). `input` itself keeps no ledger.
    HeldInputs* held = nullptr;
    // Types a slot's text on a thread of its own; without one a text types
    // nothing.
    TypingPort* typing = nullptr;
};

// One executor serves all nine slots; the slot table supplies what differs.
// Runs on the user-interface thread only.
class ActionExecutor {
public:
    ActionExecutor(SlotModel& model, ExecutorPorts ports, PlaybackThreads& playbackThreads);

    // Runs `function` for a press of the slot, as the press path decided it;
    // `detail` is what the hook said with the press (for the Alt+Tab slot:
    // the Alt keys still held).
    void run(Slot slot, const ButtonAssignment& function, std::uint32_t detail = 0);
    // The slot's own input, sent as if no hook had caught it (its hook went
    // out after the press was caught): a button or Tab goes down now and up
    // with the input's release.
    void sendOwnInput(Slot slot);
    // A press of the slot with "All Programs" alone deciding: its stored
    // function, or its own input where it is not remapped.
    void onActivation(Slot slot, std::uint32_t detail = 0);
    // The slot's input came up (or its release may have been missed): a
    // function held while it was down comes up, last pressed first.
    void onRelease(Slot slot);

    RepeatKeyState& repeatState() { return repeat_; }

private:
    void runMouseFunction(MouseFunction function);
    // Presses the first half of a held function; false when it is no key or
    // button function that can be held.
    bool pressAndHold(const SlotInfo& info, const Action& function);
    void startTyping(const SlotInfo& info, const std::wstring& text);
    void launch(const std::wstring& target);
    void startMacro(const SlotInfo& info, const action::Macro& macro);
    void repeatKey(const SlotInfo& info, std::uint8_t virtualKey);

    SlotModel& model_;
    ExecutorPorts ports_;
    PlaybackThreads& playbackThreads_;
    // The functions' input, noted in the ledger when there is one.
    std::unique_ptr<TrackedInput> functionInput_;
    InputSynth synth_;
    RepeatKeyState repeat_;
};

}  // namespace vela
