// "Pause Remapping" and per-program profiles: which hook libraries are in,
// apart from which slots "All Programs" remaps.
#pragma once

#include <cstdint>

#include "core/Ports.h"
#include "core/SlotTable.h"

namespace vela {

// A HookPort between the slot model and the hook libraries. It remembers
// which slots the model wants hooked; the slots a program's profile sets
// follow the profile instead; while paused every library stays out, and so
// does the click watch. Each change puts in or takes out exactly the
// libraries that differ.
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
    bool hooked(Slot slot) const { return (in_ & bit(slot)) != 0; }

    // The slots in `mask` (a bit per slot number) are hooked when their bit in
    // `remapped` is set, whatever the model wants; 0 for no profile.
    void setOverrides(std::uint32_t mask, std::uint32_t remapped);

private:
    static std::uint32_t bit(Slot slot) { return 1u << number(slot); }
    void apply();

    HookPort& libraries_;
    ReleasePort* release_;
    ClickWatchPort* clicks_;
    std::uint32_t wanted_ = 0;
    std::uint32_t overridden_ = 0;
    std::uint32_t overridesRemapped_ = 0;
    std::uint32_t in_ = 0;  // the libraries in now
    bool clicksWanted_ = false;
    bool clicksWatched_ = false;
    bool paused_ = false;
};

}  // namespace vela
