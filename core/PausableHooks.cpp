#include "core/PausableHooks.h"

#include "core/TriggerAssignments.h"

namespace vela {

void PausableHooks::install(Slot slot) {
    wanted_.add(slot);
    apply();
}

void PausableHooks::remove(Slot slot) {
    wanted_.remove(slot);
    apply();
}

void PausableHooks::watchClicks(bool wanted) {
    clicksWanted_ = wanted;
    apply();
}

void PausableHooks::setTuning(const MouseTuning& tuning) {
    wantedTuning_ = tuning;
    apply();
}

void PausableHooks::setPaused(bool paused) {
    setOutReason(paused_, paused);
}

void PausableHooks::setOffInFront(bool off) {
    setOutReason(offInFront_, off);
}

void PausableHooks::setOutReason(bool& reason, bool on) {
    const bool goingOut = on && !out();
    // A release the chatter filter holds goes before any hook does.
    if (goingOut && tuning_) tuning_->letGo();
    reason = on;
    apply();
    // Only now: a press caught while the hooks went out finds its hook gone
    // and gives the input itself, instead of holding something again.
    if (goingOut && release_) release_->releaseAll();
}

void PausableHooks::setOverrides(SlotSet overridden, SlotSet remapped) {
    overridden_ = overridden;
    overridesRemapped_ = remapped & overridden;
    apply();
}

void PausableHooks::setLayerHooks(SlotSet slots) {
    layer_ = slots;
    apply();
}

void PausableHooks::setPointerHooks(SlotSet followers, SlotSet remappedByProfiles) {
    pointerFollowers_ = followers;
    pointerRemapped_ = remappedByProfiles & followers;
    apply();
}

void PausableHooks::followTriggers(TriggerPort& port, const AssignmentSource& applies) {
    triggers_ = &port;
    applies_ = &applies;
    apply();
}

void PausableHooks::apply() {
    const bool clicks = clicksWanted_ && !out() && clicks_;
    if (!clicks && clicksWatched_) {
        clicks_->watchClicks(false);
        clicksWatched_ = false;
    }
    const SlotSet want = out() ? SlotSet()
                               : (wanted_ - overridden_) | overridesRemapped_ | layer_ |
                                     (wanted_ & pointerFollowers_) | pointerRemapped_;
    if (want != in_) {
        engine_.want(want);
        in_ = want;
    }
    const MouseTuning tuning = out() ? MouseTuning{} : wantedTuning_;
    if (tuning_ && tuning != tuningIn_) {
        tuning_->tune(tuning);
        tuningIn_ = tuning;
    }
    if (triggers_) {
        const TriggerSet triggers = out() ? TriggerSet{} : triggersOf(*applies_, in_);
        if (triggers != triggersIn_) {
            triggers_->setTriggers(triggers);
            triggersIn_ = triggers;
        }
    }
    if (clicks && !clicksWatched_) {
        clicks_->watchClicks(true);
        clicksWatched_ = true;
    }
}

}  // namespace vela
