// Carries out a slot's assignment each time its hook library reports it.
#pragma once

#include <cstdint>

#include "core/InputSynth.h"
#include "core/PlaybackThreads.h"
#include "core/Ports.h"
#include "core/SlotModel.h"

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
    InputPort& input;
    ShellPort& shell;
    PowerPort& power;
    PlaybackPort& playback;
};

// One executor serves all nine slots; the slot table supplies what differs.
// Runs on the user-interface thread only.
class ActionExecutor {
public:
    ActionExecutor(SlotModel& model, ExecutorPorts ports, PlaybackThreads& playbackThreads);

    // A report of the slot's hook library; `detail` is what the library
    // says with it (for the Alt+Tab slot: the Alt keys still held).
    void onActivation(Slot slot, std::uint32_t detail = 0);

    RepeatKeyState& repeatState() { return repeat_; }

private:
    void runMouseFunction(std::int32_t function);
    void runKeyAction(const SlotInfo& info, const ButtonAssignment& a);
    void launch(const std::wstring& target);
    void startMacro(const SlotInfo& info, const ButtonAssignment& a);
    void repeatKey(const SlotInfo& info, std::uint8_t virtualKey);

    SlotModel& model_;
    ExecutorPorts ports_;
    PlaybackThreads& playbackThreads_;
    InputSynth synth_;
    RepeatKeyState repeat_;
};

}  // namespace vela
