// A button held as a modifier: which inputs can be one, which function makes
// one, and what its layer is called.
#pragma once

#include <string>

#include "core/Assignment.h"
#include "core/SlotTable.h"

namespace vela {

// The inputs that can carry a layer: the buttons, whose release ends it.
constexpr bool canCarryLayer(Trigger t) {
    return t == Trigger::RightButton || t == Trigger::MiddleButton || t == Trigger::ForwardButton ||
           t == Trigger::BackButton;
}

// Whether a layer button keeps its own click and drag: held long with
// nothing else used it still taps, moved it drags as itself (the hook's
// triggers). By default the right and middle buttons, whose drags programs
// use; the user may choose otherwise for any of the four.
constexpr bool keepsOwnClickByDefault(Trigger t) {
    return t == Trigger::RightButton || t == Trigger::MiddleButton;
}
bool layerKeepsOwnClick(Trigger t, const ButtonAssignment& layerButton);

// Whether an assignment is "Layer While Held" (a remapped key function of
// that kind).
bool isLayerWhileHeld(const ButtonAssignment& a);

// What the window and the profile menu call a button's layer: "While Back
// Held".
std::wstring layerName(Slot button);

}  // namespace vela
