#include "core/PausableHooks.h"

namespace vela {

void PausableHooks::install(Slot slot) {
    wanted_ |= bit(slot);
    apply();
}

void PausableHooks::remove(Slot slot) {
    wanted_ &= ~bit(slot);
    apply();
}

void PausableHooks::watchClicks(bool wanted) {
    clicksWanted_ = wanted;
    apply();
}

void PausableHooks::setPaused(bool paused) {
    const bool pausing = paused && !paused_;
    paused_ = paused;
    apply();
    // Only now: a press caught while the hooks went out finds its hook gone
    // and gives the input itself, instead of holding something again.
    if (pausing && release_) release_->releaseAll();
}

void PausableHooks::setOverrides(std::uint32_t mask, std::uint32_t remapped) {
    overridden_ = mask;
    overridesRemapped_ = remapped & mask;
    apply();
}

void PausableHooks::apply() {
    const bool clicks = clicksWanted_ && !paused_ && clicks_;
    if (!clicks && clicksWatched_) {
        clicks_->watchClicks(false);
        clicksWatched_ = false;
    }
    const std::uint32_t want =
        paused_ ? 0u : (wanted_ & ~overridden_) | (overridesRemapped_ & overridden_);
    for (const SlotInfo& info : kSlotTable) {
        const std::uint32_t b = bit(info.slot);
        if ((want & b) == (in_ & b)) continue;
        if (want & b) {
            libraries_.install(info.slot);
            in_ |= b;
        } else {
            libraries_.remove(info.slot);
            in_ &= ~b;
        }
    }
    if (clicks && !clicksWatched_) {
        clicks_->watchClicks(true);
        clicksWatched_ = true;
    }
}

}  // namespace vela
