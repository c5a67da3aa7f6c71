#include "core/Layers.h"

#include <algorithm>

namespace vela {

bool isLayerWhileHeld(const ButtonAssignment& a) {
    return a.hookInstalled && a.actionGroup == toRaw(ActionGroup::KeyGroup) &&
           a.keyAction == toRaw(KeyAction::LayerWhileHeld);
}

std::wstring layerName(Slot button) {
    return L"While " + std::wstring(slotInfo(button).nativeCaption) + L" Held";
}

Layer* LayerSet::find(Slot button) {
    for (Layer& layer : layers_)
        if (layer.button == button) return &layer;
    return nullptr;
}

const Layer* LayerSet::find(Slot button) const {
    for (const Layer& layer : layers_)
        if (layer.button == button) return &layer;
    return nullptr;
}

Layer* LayerSet::add(Slot button) {
    if (!canCarryLayer(slotInfo(button).trigger)) return nullptr;
    if (Layer* existing = find(button)) return existing;
    // The buttons' slot numbers follow the table's order.
    const auto later = std::find_if(layers_.begin(), layers_.end(), [&](const Layer& layer) {
        return number(layer.button) > number(button);
    });
    return &*layers_.insert(later, Layer{button, {}, {}, {}});
}

bool LayerSet::remove(Slot button) {
    return std::erase_if(layers_, [&](const Layer& layer) { return layer.button == button; }) > 0;
}

const ButtonAssignment& LayerSet::tapOf(Slot button) const {
    static const ButtonAssignment ownInput;
    const Layer* layer = find(button);
    return layer ? layer->tap : ownInput;
}

const ButtonAssignment& LayeredAssignments::assignmentFor(Slot slot) const {
    const Layer* on = layer();
    if (on && on->sets(slot)) return *on->slots[slot];
    return base_.assignmentFor(slot);
}

SlotSet LayeredAssignments::hooksAdded() const {
    SlotSet set;
    const Layer* on = layer();
    if (!on) return set;
    for (const SlotInfo& info : kSlotTable) {
        if (on->sets(info.slot) && on->slots[info.slot]->hookInstalled &&
            !base_.assignmentFor(info.slot).hookInstalled)
            set.add(info.slot);
    }
    return set;
}

}  // namespace vela
