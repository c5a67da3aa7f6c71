#include "core/OverlayStack.h"

#include "core/LayerButton.h"

namespace vela {

namespace {

bool followsPointer(Slot slot) {
    return isWheel(slotInfo(slot).trigger);
}

}  // namespace

const Overlay* OverlayStack::layer() const {
    return heldLayer_ ? overlays_.find(LayerKey{*heldLayer_}) : nullptr;
}

const Overlay* OverlayStack::profile() const {
    return overlays_.profileFor(foreground_);
}

std::wstring OverlayStack::appliesName() const {
    if (heldLayer_) return layerName(*heldLayer_);
    if (const Overlay* on = profile()) return overlayName(on->key);
    return std::wstring(kAllProgramsText);
}

const ButtonAssignment& OverlayStack::assignmentFor(Slot slot) const {
    const Overlay* on = layer();
    return on && on->sets(slot) ? *on->slots[slot] : belowLayer(slot);
}

const ButtonAssignment& OverlayStack::belowLayer(Slot slot) const {
    static const ButtonAssignment ownInput;
    const bool byPointer = underPointer_ && followsPointer(slot);
    const Overlay* on = byPointer ? overlays_.profileFor(*underPointer_) : profile();
    // Over a window Vela is off in, a notch is left alone as all else is.
    if (byPointer && on && on->velaOff) return ownInput;
    return on && on->sets(slot) ? *on->slots[slot] : allPrograms_.assignmentFor(slot);
}

const ButtonAssignment& OverlayStack::tapOf(Slot button) const {
    return vela::tapOf(overlays_.find(LayerKey{button}));
}

SlotSet OverlayStack::layerHooksAdded() const {
    SlotSet added;
    const Overlay* on = layer();
    if (!on) return added;
    const SlotSet remapped = on->remappedSlots();
    for (const SlotInfo& info : kSlotTable)
        if (remapped.has(info.slot) && !belowLayer(info.slot).needsHook()) added.add(info.slot);
    return added;
}

}  // namespace vela
