#include "core/ActionExecutor.h"

#include <limits>

namespace vela {

ActionExecutor::ActionExecutor(SlotModel& model, ExecutorPorts ports,
                               PlaybackThreads& playbackThreads)
    : model_(model), ports_(ports), playbackThreads_(playbackThreads), synth_(ports.input) {}

void ActionExecutor::onActivation(Slot slot, std::uint32_t detail) {
    const SlotInfo& info = slotInfo(slot);
    // Alt went through to the program in front; with a finger still on it the
    // slot's keys would come out as Alt shortcuts. It is let go first.
    if (info.trigger == Trigger::AltTab && (detail & (heldalt::Left | heldalt::Right)))
        synth_.letGoOfAlt((detail & heldalt::Left) != 0, (detail & heldalt::Right) != 0);
    // A copy: a guarded send re-installs hooks, which writes the model.
    const ButtonAssignment a = model_.at(slot);
    if (a.actionGroup == toRaw(ActionGroup::MouseGroup)) {
        runMouseFunction(a.mouseFunction);
    } else if (a.actionGroup == toRaw(ActionGroup::KeyGroup)) {
        runKeyAction(info, a);
    }
}

void ActionExecutor::runMouseFunction(std::int32_t function) {
    // The position is read once, before the function is looked at, so both
    // halves of a click land on the same spot.
    const MouseTarget at = targetAtCursor(
        ports_.input.cursorPos(), ports_.input.primaryScreenSize(), ports_.input.virtualScreen());
    if (function < toRaw(MouseFunction::LeftClick) || function > toRaw(MouseFunction::WheelDown)) {
        return;
    }
    const auto mouse = static_cast<MouseFunction>(function);

    // Our own hook for this input would catch the synthetic event and report
    // it again: take it out for the duration of the send.
    const std::optional<Slot> guard = guardingSlot(mouse);
    const bool lifted = guard && model_.at(*guard).hookInstalled;
    if (lifted) model_.removeHook(*guard);

    if (mouse == MouseFunction::WheelUp) {
        synth_.wheelStep(kWheelDelta, at);
    } else if (mouse == MouseFunction::WheelDown) {
        synth_.wheelStep(-kWheelDelta, at);
    } else {
        synth_.click(mouse, at);
    }

    if (lifted) model_.installHook(*guard);
}

void ActionExecutor::runKeyAction(const SlotInfo& info, const ButtonAssignment& a) {
    switch (a.keyAction) {
        case toRaw(KeyAction::SingleKey):
            synth_.keyTap(a.virtualKey);
            break;
        case toRaw(KeyAction::WinCombo):
            synth_.modifierChord(vk::LeftWindows, a.virtualKey, kChordPauseMs);
            break;
        case toRaw(KeyAction::CtrlCombo):
            synth_.modifierChord(vk::Control, a.virtualKey,
                                 static_cast<std::uint32_t>(info.ctrlChordPauseMs));
            break;
        case toRaw(KeyAction::ShiftCombo):
            synth_.modifierChord(vk::Shift, a.virtualKey, kChordPauseMs);
            break;
        case toRaw(KeyAction::AltCombo):
            synth_.modifierChord(vk::Alt, a.virtualKey, kChordPauseMs);
            break;
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
        default:
            break;
    }
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
    const std::uint32_t now = ports_.input.tickCount();
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
