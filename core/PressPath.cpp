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

void PressPath::triggered(Slot slot, SlotTrigger trigger) {
    foreground_.checkForeground(profiles_.titlesMatter());
    if (!hooks_.hooked(slot)) return;
    const ButtonAssignment& applies = stack_.assignmentFor(slot);
    const Action* function = triggerFunction(applies, trigger);
    if (!function) return;
    ButtonAssignment one;
    one.remapped = true;
    one.action = *function;
    executor_.run(slot, one);
    executor_.onRelease(slot);
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
    const Action* click = clickFunction(function);
    if (!click) {
        // Gestures or Drag to Scroll with the button's own click: the hook
        // sends it itself, unless it was let through meanwhile.
        executor_.sendOwnInput(slot);
        return;
    }
    if (click == &function.action) {
        executor_.run(slot, function, detail);
        return;
    }
    ButtonAssignment one;
    one.remapped = true;
    one.action = *click;
    executor_.run(slot, one, detail);
}

}  // namespace vela
