#include "core/LayerState.h"

#include <utility>

namespace vela {

void LayerState::press(Slot slot, std::uint32_t tick, std::uint32_t detail) {
    // Pressed again without a release between: the release went missing.
    if (pressed_[slot] != Press::None) finish(slot, false);
    tapSpoiled_ = true;
    const ButtonAssignment* function = &stack_.assignmentFor(slot);
    const SlotInfo& info = slotInfo(slot);
    if (isLayerWhileHeld(*function) && canCarryLayer(info.trigger)) {
        if (!heldLayer()) {
            tapsWhenHeldLong_ = layerKeepsOwnClick(info.trigger, *function);
            startLayer(slot, tick);
            return;
        }
        function = &stack_.tapOf(slot);
    }
    const Overlay* layer = stack_.layer();
    function_[slot] = *function;
    if (canHold(info.trigger))
        pressed_[slot] = layer && layer->sets(slot) ? Press::LayerFunction : Press::Function;
    port_.activate(slot, function_[slot], detail);
}

void LayerState::release(Slot slot, std::uint32_t tick) {
    const bool quick = tick - layerPressTick_ <= kLayerTapMaxMs;
    finish(slot, !tapSpoiled_ && (quick || tapsWhenHeldLong_));
}

void LayerState::otherInput() {
    tapSpoiled_ = true;
}

void LayerState::abandon() {
    for (const SlotInfo& info : kSlotTable) {
        if (pressed_[info.slot] != Press::LayerFunction) continue;
        pressed_[info.slot] = Press::LetGo;
        port_.release(info.slot);
    }
    if (const std::optional<Slot> button = heldLayer()) {
        pressed_[*button] = Press::LetGo;
        endLayer(false);
    }
}

void LayerState::startLayer(Slot button, std::uint32_t tick) {
    stack_.setHeldLayer(button);
    pressed_[button] = Press::LayerButton;
    layerPressTick_ = tick;
    tapSpoiled_ = false;
    port_.setLayerHooks(stack_.layerHooksAdded());
}

void LayerState::endLayer(bool tap) {
    const Slot button = *heldLayer();
    stack_.setHeldLayer(std::nullopt);
    port_.setLayerHooks({});
    if (!tap) return;
    function_[button] = stack_.tapOf(button);
    port_.activate(button, function_[button], 0);
    port_.release(button);
}

void LayerState::finish(Slot slot, bool tap) {
    switch (std::exchange(pressed_[slot], Press::None)) {
        case Press::LayerButton:
            endLayer(tap);
            return;
        case Press::LetGo:
            return;
        default:
            // Also for a press never seen (its hook came in while it was
            // down): whatever the slot holds comes up.
            port_.release(slot);
            return;
    }
}

}  // namespace vela
