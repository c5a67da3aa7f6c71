// Between a button's assignment and its triggers: what the hook engine is to
// decide for each button, and which function a trigger it reports runs.
#pragma once

#include <optional>

#include "core/ButtonTriggers.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"

namespace vela {

// A trigger the hook reports besides a press.
enum class SlotTrigger : std::uint8_t {
    GestureUp,
    GestureDown,
    GestureLeft,
    GestureRight,
    LongPress,
    DoubleClick,
};

// What each button of a hooked slot does besides its press, as its applying
// assignment says. A layer on the right or middle button keeps its own click
// and drag; Double Click and Long Press count on any function but a layer.
TriggerSet triggersOf(const AssignmentSource& applies, SlotSet hooked);

// The function a trigger runs, if the assignment has one for it.
const Action* triggerFunction(const ButtonAssignment& a, SlotTrigger trigger);

// The function a press (the slot's one activation) runs: the click function
// of a Gestures or Drag to Scroll button (none: its own input), else the
// assignment's own.
const Action* clickFunction(const ButtonAssignment& a);

}  // namespace vela
