// "Pause Remapping", per-program profiles and held layers: which hook
// libraries are in, apart from which slots "All Programs" remaps.
#pragma once

#include "core/HookPorts.h"
#include "core/ReleasePorts.h"
#include "core/SlotSet.h"

namespace vela {

// A HookPort between the slot model and the hook libraries. It remembers
// which slots the model wants hooked; the slots a program's profile sets
// follow the profile instead; a held layer adds those it remaps; while paused
// every library stays out, and so does the click watch. Each change puts in
// or takes out exactly the libraries that differ.
class PausableHooks final : public HookPort {
public:
    // `release`, when given, lets go of what Vela holds once a pause has
    // taken the hooks out; `clicks`, when given, is the click watch.
    explicit PausableHooks(HookPort& libraries, ReleasePort* release = nullptr,
                           ClickWatchPort* clicks = nullptr)
        : libraries_(libraries), release_(release), clicks_(clicks) {}

    void install(Slot slot) override;
    void remove(Slot slot) override;

    // Whether clicks are to be watched (while there are profiles); paused,
    // they are not.
    void watchClicks(bool wanted);

    void setPaused(bool paused);
    bool paused() const { return paused_; }
    // Whether the slot's library is in now.
    bool hooked(Slot slot) const { return in_.has(slot); }

    // The slots in `overridden` are hooked when they are in `remapped`,
    // whatever the model wants; none for no profile.
    void setOverrides(SlotSet overridden, SlotSet remapped);
    // The slots a held layer remaps besides those: hooked too until the
    // layer ends (an empty set).
    void setLayerHooks(SlotSet slots);

private:
    void apply();

    HookPort& libraries_;
    ReleasePort* release_;
    ClickWatchPort* clicks_;
    SlotSet wanted_;
    SlotSet overridden_;
    SlotSet overridesRemapped_;
    SlotSet layer_;
    SlotSet in_;  // the libraries in now
    bool clicksWanted_ = false;
    bool clicksWatched_ = false;
    bool paused_ = false;
};

}  // namespace vela
