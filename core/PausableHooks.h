// "Pause Remapping", per-program profiles and held layers: which hook
// libraries are in, apart from which slots "All Programs" remaps.
#pragma once

#include "core/HookPorts.h"
#include "core/ReleasePorts.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"

namespace vela {

// A HookPort between the slot model and the hook engine. It remembers which
// slots the model wants hooked; the slots a program's profile sets follow the
// profile instead; a held layer adds those it remaps; while paused, or while
// Vela is off in the program in front, every hook stays out, and so do the
// click watch and the mouse tuning (its filters need a hook too). A change
// that alters the hooked slots is one request of the whole set, which returns
// at once: a profile switch or a layer in the middle of a press never waits
// for the hook thread.
class PausableHooks final : public HookPort {
public:
    // `release`, when given, lets go of what Vela holds once a pause has
    // taken the hooks out; `clicks`, when given, is the click watch;
    // `tuning`, when given, the mouse tuning.
    explicit PausableHooks(HookRequestPort& engine, ReleasePort* release = nullptr,
                           ClickWatchPort* clicks = nullptr, MouseTuningPort* tuning = nullptr)
        : engine_(engine), release_(release), clicks_(clicks), tuning_(tuning) {}

    void install(Slot slot) override;
    void remove(Slot slot) override;

    // Whether clicks are to be watched (while there are profiles); paused,
    // they are not.
    void watchClicks(bool wanted);

    // The mouse tuning the user chose; paused, everything of it is off.
    void setTuning(const MouseTuning& tuning);

    void setPaused(bool paused);
    bool paused() const { return paused_; }
    // Vela off in the program in front: everything out as for a pause, and
    // back once neither holds. Independent of the user's pause.
    void setOffInFront(bool off);
    // Whether the slot is hooked now: as asked of the engine, which reports
    // nothing of a slot from the moment it is asked out.
    bool hooked(Slot slot) const { return in_.has(slot); }

    // The slots in `overridden` are hooked when they are in `remapped`,
    // whatever the model wants; none for no profile.
    void setOverrides(SlotSet overridden, SlotSet remapped);
    // The slots a held layer remaps besides those: hooked too until the
    // layer ends (an empty set).
    void setLayerHooks(SlotSet slots);
    // The slots in `followers` act by the window under the pointer, whichever
    // profile is in front: hooked where the model wants them or where they
    // are in `remappedByProfiles` (some profile remaps them).
    void setPointerHooks(SlotSet followers, SlotSet remappedByProfiles);
    // From here on the engine hears through `port` what the buttons of the
    // hooked slots do besides their press, as `applies` says, whenever the
    // hooks change or `refreshTriggers` is called; nothing while out.
    void followTriggers(TriggerPort& port, const AssignmentSource& applies);
    // An assignment may have changed what a button's triggers are.
    void refreshTriggers() { apply(); }

private:
    void apply();
    // Sets one of the reasons for every hook to be out; the first to hold
    // lets go of what is held, as a pause does.
    void setOutReason(bool& reason, bool on);
    bool out() const { return paused_ || offInFront_; }

    HookRequestPort& engine_;
    ReleasePort* release_;
    ClickWatchPort* clicks_;
    MouseTuningPort* tuning_;
    TriggerPort* triggers_ = nullptr;
    const AssignmentSource* applies_ = nullptr;
    TriggerSet triggersIn_;
    MouseTuning wantedTuning_;
    MouseTuning tuningIn_;  // what the engine has now
    SlotSet wanted_;
    SlotSet overridden_;
    SlotSet overridesRemapped_;
    SlotSet layer_;
    SlotSet pointerFollowers_;
    SlotSet pointerRemapped_;
    SlotSet in_;  // as last asked of the engine
    bool clicksWanted_ = false;
    bool clicksWatched_ = false;
    bool paused_ = false;
    bool offInFront_ = false;
};

}  // namespace vela
