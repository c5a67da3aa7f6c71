#include "core/PressPath.h"

namespace vela {

void PressPath::pressed(Slot slot, std::uint32_t detail, std::uint32_t tick) {
    foreground_.checkForeground(profiles_.titlesMatter());
    const bool byPointer = profiles_.wheelFollowsPointer() && isWheel(slotInfo(slot).trigger);
    stack_.setUnderPointer(byPointer ? std::optional(foreground_.windowUnderPointer())
                                     : std::nullopt);
    layers_.press(slot, tick, detail);
}

void PressPath::released(Slot slot, std::uint32_t tick) {
    layers_.release(slot, tick);
}

void PressPath::hooksRestored() {
    layers_.abandon();
    for (const SlotInfo& info : kSlotTable) executor_.onRelease(info.slot);
}

void PressPath::activate(Slot slot, const ButtonAssignment& function, std::uint32_t detail) {
    // The press was caught, then the hook went out before its report came
    // (the program in front leaves the input alone, "No Settings", Reset,
    // pause): what the slot still stores is not what the user asked for now.
    if (!function.remapped || !hooks_.hooked(slot)) {
        executor_.sendOwnInput(slot);
        return;
    }
    executor_.run(slot, function, detail);
}

}  // namespace vela
