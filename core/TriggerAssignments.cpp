#include "core/TriggerAssignments.h"

#include <algorithm>

#include "core/LayerButton.h"

namespace vela {

static_assert(static_cast<int>(SlotTrigger::GestureRight) ==
                  static_cast<int>(GestureDirection::Right),
              "a gesture's trigger is numbered as its direction");

TriggerSet triggersOf(const AssignmentSource& applies, SlotSet hooked) {
    TriggerSet set;
    for (const MouseButtonInfo& button : kMouseButtons) {
        if (!button.trigger) continue;
        const SlotInfo* info = nullptr;
        for (const SlotInfo& row : kSlotTable)
            if (row.trigger == *button.trigger) info = &row;
        if (!info || !hooked.has(info->slot)) continue;
        const ButtonAssignment& a = applies.assignmentFor(info->slot);
        if (!a.needsHook()) continue;
        ButtonTriggers& t = set.of(button.button);
        if (isLayerWhileHeld(a)) {
            if (layerKeepsOwnClick(info->trigger, a)) t.hold = HoldUse::Layer;
            continue;
        }
        if (const auto* g = a.as<action::Gestures>()) {
            t.hold = HoldUse::Gestures;
            t.repeat = g->repeat;
            t.ownClick = !a.triggers.click;
        } else if (const auto* d = a.as<action::DragScroll>()) {
            t.hold = HoldUse::DragScroll;
            t.axisLock = d->axisLock;
            t.scrollSpeed = std::clamp(d->speed, kMinScrollSpeed, kMaxScrollSpeed);
        } else {
            // The click is the slot's function, run by Vela, or the button
            // itself where it has none.
            t.ownClick = !a.remapped;
        }
        t.doubleClick = a.triggers.doubleClick.has_value();
        t.longPress = a.triggers.longPress.has_value();
    }
    return set;
}

const Action* triggerFunction(const ButtonAssignment& a, SlotTrigger trigger) {
    const std::optional<Action>* f = nullptr;
    switch (trigger) {
        case SlotTrigger::GestureUp:
        case SlotTrigger::GestureDown:
        case SlotTrigger::GestureLeft:
        case SlotTrigger::GestureRight:
            if (!a.as<action::Gestures>()) return nullptr;
            f = &a.triggers.gestures[static_cast<std::size_t>(trigger)];
            break;
        case SlotTrigger::LongPress:
            f = &a.triggers.longPress;
            break;
        case SlotTrigger::DoubleClick:
            f = &a.triggers.doubleClick;
            break;
    }
    return f && *f && a.needsHook() ? &**f : nullptr;
}

const Action* clickFunction(const ButtonAssignment& a) {
    if (holds<action::Gestures>(a.action) || holds<action::DragScroll>(a.action))
        return a.triggers.click ? &*a.triggers.click : nullptr;
    return &a.action;
}

}  // namespace vela
