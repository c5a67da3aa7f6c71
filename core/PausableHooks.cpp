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

void PausableHooks::setPaused(bool paused) {
    paused_ = paused;
    apply();
}

void PausableHooks::setOverrides(std::uint32_t mask, std::uint32_t remapped) {
    overridden_ = mask;
    overridesRemapped_ = remapped & mask;
    apply();
}

void PausableHooks::apply() {
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
}

}  // namespace vela
