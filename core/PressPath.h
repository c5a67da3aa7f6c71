// The one way a press goes, from the hook's report to the function it runs,
// on the user-interface thread. For each report, in this order:
//
//   press    ->  the window in front looked at: a program that came forward
//                a moment ago has its profile applied first (ProfileRuntime)
//            ->  the overlay that applies, decided once: the held layer,
//                else the program's profile, else "All Programs" (LayerState
//                over the OverlayStack); a layer button starts its layer here
//            ->  hooked now? (pause, the profile): the function runs (the
//                executor is handed it), else the slot's own input goes out
//   release  ->  what that same press holds comes up, whatever changed in
//                between; a layer button's tap runs its function then
//   trigger  ->  a gesture, a long press or a double click the hook decided
//                on: its function, looked up as a press's, runs and comes
//                up at once
//   restore  ->  the hooks were lost: the layer ends, every slot lets go
//   other    ->  input no slot reported spoils a held layer button's tap
//   click    ->  the window in front is looked at again, now and soon after
//
// Nothing after the lookup asks again what applies: the executor runs the
// function it is given. Portable; the platform adds only the ticks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "core/ActionExecutor.h"
#include "core/ForegroundCheckPort.h"
#include "core/LayerState.h"
#include "core/OverlayStack.h"
#include "core/PausableHooks.h"
#include "core/ProfileRuntime.h"
#include "core/ReleasePorts.h"
#include "core/TriggerAssignments.h"

namespace vela {

class PressPath final : private LayerPort {
public:
    // The overlays go over `allPrograms`; `release` lets go of what a switch
    // of profile changes, `scriptsChanged` hears of a switch that may give a
    // slot another script.
    PressPath(const AssignmentSource& allPrograms, const OverlaySet& overlays, PausableHooks& hooks,
              ReleasePort* release, std::function<void()> scriptsChanged, ActionExecutor& executor,
              ForegroundCheckPort& foreground)
        : hooks_(hooks),
          executor_(executor),
          foreground_(foreground),
          stack_(allPrograms, overlays),
          profiles_(stack_, hooks, release, std::move(scriptsChanged)),
          layers_(stack_, *this) {}
    PressPath(const PressPath&) = delete;
    PressPath& operator=(const PressPath&) = delete;

    // A slot's input went down; `detail` is what the hook said with it (for
    // the Alt+Tab slot: the Alt keys still held), `tick` when it was posted.
    void pressed(Slot slot, std::uint32_t detail, std::uint32_t tick);
    // A press the slot's hook took came up at `tick`.
    void released(Slot slot, std::uint32_t tick);
    // The slot's button fired one of its other triggers.
    void triggered(Slot slot, SlotTrigger trigger);
    // The watchdog put lost hooks back: a release may have gone by.
    void hooksRestored();
    // A press, notch or tilt began that no slot reported.
    void otherInput() { layers_.otherInput(); }
    // A left, right or middle click went through.
    void clicked() { foreground_.clickSeen(); }
    // The held layer ends without a tap, what its presses hold comes up (a
    // layer or a layer button changed, or something lets go of held input).
    void abandon() { layers_.abandon(); }

    std::optional<Slot> heldLayer() const { return layers_.heldLayer(); }
    // `listener` hears what applies whenever the program in front or the
    // held layer moves it.
    void listen(OverlayListener* listener) { stack_.listen(listener); }
    // What applies to each slot now: the held layer, the program's profile,
    // "All Programs".
    const AssignmentSource& applies() const { return stack_; }
    // The program in front and the profiles: told of every change.
    ProfileRuntime& profiles() { return profiles_; }
    // The function each slot's latest press went to (a macro set in a layer
    // plays the layer's script).
    const AssignmentSource& pressedFunctions() const { return layers_; }

private:
    void activate(Slot slot, const ButtonAssignment& function, std::uint32_t detail) override;
    void release(Slot slot) override { executor_.onRelease(slot); }
    void setLayerHooks(SlotSet slots) override { hooks_.setLayerHooks(slots); }

    PausableHooks& hooks_;
    ActionExecutor& executor_;
    ForegroundCheckPort& foreground_;
    OverlayStack stack_;
    ProfileRuntime profiles_;
    LayerState layers_;
};

// Lets go of what Vela holds as `inner` does, ending a held layer first:
// whatever lets go (a slot's new assignment, a switch of profile, pause,
// Reset, Exit) may change what the layer button's press meant or take its
// release away, and the layer must not outlive it.
class LayerEndingRelease final : public ReleasePort {
public:
    LayerEndingRelease(ReleasePort& inner, PressPath& presses) : inner_(inner), presses_(presses) {}

    void releaseSlot(Slot slot) override {
        presses_.abandon();
        inner_.releaseSlot(slot);
    }
    void releaseAll() override {
        presses_.abandon();
        inner_.releaseAll();
    }

private:
    ReleasePort& inner_;
    PressPath& presses_;
};

}  // namespace vela
