// The mouse hook's decisions for one event, in the order they are taken:
//
//   chatter filter, wheel bounce filter  ->  a button's triggers (TriggerMachine)
//       ->  remapping (MouseFilter)
//       ->  the wheel's direction and speed, on what goes on to programs
//
// A button with triggers is the trigger machine's from its press to its
// release: the remapping never sees it. Pointer moves go to the machine only
// while it tracks them (`tracksMoves`), so a move costs nothing otherwise.
//
// A bounce or a stray notch is gone before the remapping sees it, so a
// remapped button or wheel slot fires once per press or notch the user made;
// the direction and speed apply only to scrolling that reaches programs, so a
// wheel slot fires once per notch whatever the speed.
//
// What it cannot do by letting the event through or swallowing it, it asks
// the hook to send (`MouseOutcome::send`, injected, so no filter sees it
// again): a held release of a button that goes to programs, the event itself
// after such a release (so the two arrive in the order they happened, however
// the system orders input sent from inside a hook), the wheel's new deltas. A
// held release of a remapped button is never sent: it goes through the
// remapping as the physical release it is, and its report is posted
// (`released`), so Vela hears of it as of any other.
//
// Lives on the hook thread; not thread-safe by design.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "core/MouseTuning.h"
#include "hooks/ChatterFilter.h"
#include "hooks/MouseFilter.h"
#include "hooks/MouseSends.h"
#include "hooks/TriggerMachine.h"
#include "hooks/WheelShaper.h"

namespace vela::hooks {

struct MouseOutcome {
    // A held release let go first, as the remapping took it: its report to
    // post (a remapped button's release), else nothing.
    Verdict released;
    // The event's own: its reports to post.
    Verdict verdict;
    // What a button's triggers fired, in order (after `released`, with
    // `verdict`: the two never both report).
    FiredList fired;
    // Swallow the event.
    bool swallow = false;
    // Send these, in order, before the hook answers.
    MouseSends send;
    // The bounce counts, or the buttons whose release window is on, changed.
    bool counted = false;
    // Input the user began now that no slot reported: the press of a button,
    // a notch or a tilt (a bounce is none). It spoils the tap of a held layer
    // button; a release does not, its press came before the hold or spoiled
    // it already, however long the chatter filter held it back.
    bool otherInput = false;
    // A left, right or middle release went on to programs: a click that may
    // have brought another window to the front.
    bool clicked = false;
};

class MousePipeline {
public:
    // New settings: the filters start afresh, and a held release is let go.
    MouseOutcome configure(const MouseTuning& tuning, SlotSet installed);

    // The buttons' triggers: they start afresh.
    MouseOutcome configureTriggers(const TriggerConfig& config, SlotSet installed);

    MouseOutcome onEvent(const MouseInput& in, Tick time, SlotSet installed);

    // When `due` is to be called next: a release held, a long press or a
    // click waiting for a second one.
    std::optional<Tick> nextDue() const;
    // The held release and the triggers' timers, once they are over at `now`.
    MouseOutcome due(Tick now, SlotSet installed);
    // Whether pointer moves must come to `onEvent`: a held button's triggers
    // are deciding, or the pointer is held.
    bool tracksMoves() const { return triggers_.tracksMoves(); }

    // After the hooks were lost and put back: nothing stays held, no press
    // waits for a release that may have gone by.
    MouseOutcome reset(SlotSet installed);
    // The held release, now, the filters' state kept: before the mouse hook
    // or the process goes, so no button stays down for the system.
    MouseOutcome letGoNow(SlotSet installed);

    // Whether any filter or shaping is on: the mouse hook must be in.
    bool tuned() const { return tuned_; }
    // Whether a release still has to come through the hook.
    bool holdsRelease() const {
        return remap_.holdsRelease() || chatter_.nextDue().has_value() || triggers_.holdsRelease();
    }

    BounceCounts bounces() const;

private:
    void letGo(std::optional<MouseButton> button, SlotSet installed, MouseOutcome& out);
    static void take(const TriggerOutcome& t, MouseOutcome& out);
    MouseOutcome onButton(const MouseInput& in, MouseButton button, bool down, Tick time,
                          SlotSet installed);
    MouseOutcome onWheel(const MouseInput& in, Tick time, SlotSet installed);
    MouseOutcome decide(const MouseInput& in, Tick time, SlotSet installed);

    ChatterFilter chatter_;
    WheelShaper wheel_;
    MouseFilter remap_;
    TriggerMachine triggers_;
    Tick lastTime_ = 0;
    MouseTuning tuning_;
    bool tuned_ = false;
};

}  // namespace vela::hooks
