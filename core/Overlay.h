// An overlay: the functions some slots have while it applies, over whatever
// acts below it. A program's profile and a button's layer are both one
// (core/OverlayStack.h puts them in their order).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Assignment.h"
#include "core/OverlayKey.h"
#include "core/SlotSet.h"
#include "core/SlotTable.h"

namespace vela {

// The slots an overlay sets; every other slot acts as below it. A set slot
// that is not remapped leaves its input alone while the overlay applies.
struct Overlay {
    OverlayKey key;
    SlotArray<std::optional<ButtonAssignment>> slots;
    // The overlay's own note for a slot whose function it leaves alone; a
    // slot it sets has its note in its assignment.
    SlotArray<std::optional<std::wstring>> notes;
    // A profile only: while its program or window is in front Vela is off,
    // every hook out (a game whose anti-cheat refuses injected input, a
    // remote desktop whose other side remaps on its own).
    bool velaOff = false;

    // A layer's own button is never set while the layer is held: its slot
    // holds the layer's tap instead (tapOf), where the file keeps it too.
    bool sets(Slot slot) const { return slots[slot].has_value() && slot != buttonOf(key); }
    // The slots it sets, and which of those it remaps.
    SlotSet setSlots() const;
    SlotSet remappedSlots() const;
};

// What a tap of a layer's button does: the function in the button's own slot,
// or the button's own input while it has none.
const ButtonAssignment& tapOf(const Overlay* layer);

// At most one overlay per key, kept in the order they were made.
class OverlaySet {
public:
    const std::vector<Overlay>& all() const { return overlays_; }
    // The profiles as the menu lists them: the programs', then the
    // windows', each in the order they were made.
    std::vector<const Overlay*> profiles() const;
    // The profile that acts for `window`: of those that take it the most
    // specific, the first listed of equals; nullptr for none.
    const Overlay* profileFor(const WindowIdentity& window) const;
    Overlay* find(const OverlayKey& key);
    const Overlay* find(const OverlayKey& key) const;
    // The key's overlay, made (setting nothing) when it has none.
    Overlay& add(const OverlayKey& key);
    bool remove(const OverlayKey& key);

private:
    std::vector<Overlay> overlays_;
};

}  // namespace vela
