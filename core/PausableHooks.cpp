#include "core/PausableHooks.h"

namespace vela {

void PausableHooks::install(Slot slot) {
    wanted_ |= bit(slot);
    if (!paused_) libraries_.install(slot);
}

void PausableHooks::remove(Slot slot) {
    wanted_ &= ~bit(slot);
    if (!paused_) libraries_.remove(slot);
}

void PausableHooks::setPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    for (const SlotInfo& info : kSlotTable) {
        if (!(wanted_ & bit(info.slot))) continue;
        if (paused) {
            libraries_.remove(info.slot);
        } else {
            libraries_.install(info.slot);
        }
    }
}

}  // namespace vela
