#include "core/Overlay.h"

#include <algorithm>

namespace vela {

SlotSet Overlay::setSlots() const {
    SlotSet set;
    for (const SlotInfo& info : kSlotTable)
        if (sets(info.slot)) set.add(info.slot);
    return set;
}

SlotSet Overlay::remappedSlots() const {
    SlotSet set;
    for (const SlotInfo& info : kSlotTable)
        if (sets(info.slot) && slots[info.slot]->needsHook()) set.add(info.slot);
    return set;
}

const ButtonAssignment& tapOf(const Overlay* layer) {
    static const ButtonAssignment ownInput;
    const std::optional<Slot> button = layer ? buttonOf(layer->key) : std::nullopt;
    return button && layer->slots[*button] ? *layer->slots[*button] : ownInput;
}

std::vector<const Overlay*> OverlaySet::profiles() const {
    std::vector<const Overlay*> out;
    for (const Overlay& overlay : overlays_)
        if (programOf(overlay.key)) out.push_back(&overlay);
    for (const Overlay& overlay : overlays_)
        if (windowOf(overlay.key)) out.push_back(&overlay);
    return out;
}

const Overlay* OverlaySet::profileFor(const WindowIdentity& window) const {
    // In the order profiles() lists them, without making the list: this
    // runs for every press.
    const Overlay* best = nullptr;
    int bestMatch = 0;
    for (const bool windows : {false, true}) {
        for (const Overlay& profile : overlays_) {
            if ((windowOf(profile.key) != nullptr) != windows) continue;
            const int match = matchOf(profile.key, window);
            if (match > bestMatch) {
                best = &profile;
                bestMatch = match;
            }
        }
    }
    return best;
}

Overlay* OverlaySet::find(const OverlayKey& key) {
    for (Overlay& overlay : overlays_)
        if (sameKey(overlay.key, key)) return &overlay;
    return nullptr;
}

const Overlay* OverlaySet::find(const OverlayKey& key) const {
    return const_cast<OverlaySet*>(this)->find(key);
}

Overlay& OverlaySet::add(const OverlayKey& key) {
    if (Overlay* existing = find(key)) return *existing;
    overlays_.push_back({key, {}, {}, false});
    return overlays_.back();
}

bool OverlaySet::remove(const OverlayKey& key) {
    return std::erase_if(overlays_, [&](const Overlay& o) { return sameKey(o.key, key); }) > 0;
}

}  // namespace vela
