#include "hooks/MouseFilter.h"

#include <cstdlib>

namespace vela::hooks {

bool MouseFilter::holdsRelease() const {
    for (bool held : swallowedPress_) {
        if (held) return true;
    }
    return false;
}

Verdict MouseFilter::onPress(MouseButton b, SlotSet installed) {
    const std::optional<Trigger> trigger = buttonInfo(b).trigger;
    const std::optional<Slot> slot = trigger ? slotWatching(*trigger) : std::nullopt;
    if (!slot || !installed.has(*slot)) {
        swallowedPress_[indexOf(b)] = false;
        return Verdict::pass();
    }
    swallowedPress_[indexOf(b)] = true;
    return Verdict::report(*slot);
}

Verdict MouseFilter::onRelease(MouseButton b) {
    if (!swallowedPress_[indexOf(b)]) return Verdict::pass();
    swallowedPress_[indexOf(b)] = false;
    const std::optional<Trigger> trigger = buttonInfo(b).trigger;
    const std::optional<Slot> slot = trigger ? slotWatching(*trigger) : std::nullopt;
    return slot ? Verdict::reportRelease(*slot) : Verdict::swallow();
}

Verdict MouseFilter::onWheel(int& rest, int delta, Trigger negative, Trigger positive,
                             SlotSet installed) {
    if (delta == 0) return Verdict::pass();
    const std::optional<Slot> slot = slotWatching(delta < 0 ? negative : positive);
    // A turn the other way starts a new count.
    if ((rest < 0) != (delta < 0)) rest = 0;
    if (!slot || !installed.has(*slot)) {
        rest = 0;
        return Verdict::pass();
    }
    rest += delta;
    const int notches = std::abs(rest) / kNotch;
    rest %= kNotch;  // keeps the sign of the direction
    if (notches == 0) return Verdict::swallow();
    return Verdict::report(*slot, notches);
}

Verdict MouseFilter::onEvent(const MouseInput& in, SlotSet installed) {
    if (in.injected) return Verdict::pass();
    switch (in.kind) {
        case MouseEventKind::RightDown:
            return onPress(MouseButton::Right, installed);
        case MouseEventKind::RightUp:
            return onRelease(MouseButton::Right);
        case MouseEventKind::MiddleDown:
            return onPress(MouseButton::Middle, installed);
        case MouseEventKind::MiddleUp:
            return onRelease(MouseButton::Middle);
        case MouseEventKind::XDown:
        case MouseEventKind::XUp: {
            const std::optional<MouseButton> b = sideButton(in.xButton);
            if (!b) return Verdict::pass();
            return in.kind == MouseEventKind::XDown ? onPress(*b, installed) : onRelease(*b);
        }
        case MouseEventKind::Wheel:
            return onWheel(verticalRest_, in.wheelDelta, Trigger::WheelDown, Trigger::WheelUp,
                           installed);
        case MouseEventKind::TiltWheel:
            return onWheel(horizontalRest_, in.wheelDelta, Trigger::TiltLeft, Trigger::TiltRight,
                           installed);
        case MouseEventKind::Move:
        case MouseEventKind::LeftDown:
        case MouseEventKind::LeftUp:
        case MouseEventKind::Other:
            break;
    }
    return Verdict::pass();
}

}  // namespace vela::hooks
