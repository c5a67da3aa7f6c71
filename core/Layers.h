// Layers: a button held as a modifier. While it is held the other inputs act
// by the button's layer where the layer sets them, and as ever where it does
// not; tapped alone, the button does its tap function.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Assignment.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "core/SlotTable.h"

namespace vela {

// The inputs that can carry a layer: the buttons, whose release ends it.
constexpr bool canCarryLayer(Trigger t) {
    return t == Trigger::RightButton || t == Trigger::MiddleButton || t == Trigger::ForwardButton ||
           t == Trigger::BackButton;
}

// Whether an assignment is "Layer While Held" (a remapped key function of
// that kind).
bool isLayerWhileHeld(const ButtonAssignment& a);

// What the window and the profile menu call a button's layer: "While Back
// Held".
std::wstring layerName(Slot button);

// What the inputs do while one button is held. Like a program's profile it
// sets some slots and leaves the rest to whatever acts without it; a set slot
// that is not remapped gives its own input while the layer is held.
struct Layer {
    Slot button;
    SlotArray<std::optional<ButtonAssignment>> slots;  // the button's own is never used
    // The layer's own note for a slot it leaves alone, as a profile has.
    SlotArray<std::optional<std::wstring>> notes;
    // What a tap of the button does. Not remapped, as made: the button's
    // own input.
    ButtonAssignment tap;

    bool sets(Slot slot) const { return slot != button && slots[slot].has_value(); }
};

// At most one layer per button, in the slot table's order.
class LayerSet {
public:
    const std::vector<Layer>& all() const { return layers_; }
    Layer* find(Slot button);
    const Layer* find(Slot button) const;
    // The button's layer, made (setting nothing) when it has none; nullptr
    // for an input that cannot carry one.
    Layer* add(Slot button);
    bool remove(Slot button);
    // What a tap of the button does: its layer's tap function, or its own
    // input when it has no layer.
    const ButtonAssignment& tapOf(Slot button) const;

private:
    std::vector<Layer> layers_;
};

// The assignments with a layer on top: the layer's for the slots it sets,
// the base's (the program in front's profile over "All Programs") for the
// rest. Without a layer, the base's alone.
class LayeredAssignments final : public AssignmentSource {
public:
    LayeredAssignments(const AssignmentSource& base, const LayerSet& layers)
        : base_(base), layers_(layers) {}

    // The button whose layer is on top, or none. A button without a layer
    // puts none on top.
    void setLayer(std::optional<Slot> button) { button_ = button; }
    std::optional<Slot> layerButton() const { return button_; }
    const Layer* layer() const { return button_ ? layers_.find(*button_) : nullptr; }

    const ButtonAssignment& assignmentFor(Slot slot) const override;
    // The slots the layer remaps and the base does not: their hooks must be
    // in while the layer is held, and only then.
    SlotSet hooksAdded() const;

private:
    const AssignmentSource& base_;
    const LayerSet& layers_;
    std::optional<Slot> button_;
};

}  // namespace vela
