#include "hooks/KeyFilter.h"

namespace vela::hooks {

std::uint32_t KeyFilter::heldAlts() const {
    return (leftAlt_ ? heldalt::Left : 0u) | (rightAlt_ ? heldalt::Right : 0u);
}

void KeyFilter::onHookInstalled(bool tabDown, bool leftAltDown, bool rightAltDown) {
    leftAlt_ = leftAltDown;
    rightAlt_ = rightAltDown;
    if (!altHeld()) tabTaken_ = false;
    tabPassed_ = tabDown && !tabSwallowed_;
}

Verdict KeyFilter::onAlt(bool& down, bool pressed) {
    if (pressed) {
        const bool repeat = down;
        down = true;
        if (repeat && tabTaken_) return Verdict::swallow();
        return Verdict::pass();
    }
    down = false;
    Verdict v = Verdict::pass();
    v.maskFirst = tabTaken_;
    if (!altHeld()) tabTaken_ = false;
    return v;
}

Verdict KeyFilter::onTab(bool pressed, bool slotInstalled, Slot slot) {
    if (!pressed) {
        tabPassed_ = false;
        if (!tabSwallowed_) return Verdict::pass();
        tabSwallowed_ = false;
        return Verdict::reportRelease(slot);
    }
    // Auto-repeats carry on the way their press went: a Tab already taken is
    // swallowed without a second report, and a Tab that was down before Alt
    // stays native.
    if (tabSwallowed_) return Verdict::swallow();
    if (tabPassed_ || !slotInstalled || !altHeld()) {
        tabPassed_ = true;
        return Verdict::pass();
    }
    tabSwallowed_ = true;
    tabTaken_ = true;
    Verdict v = Verdict::report(slot);
    v.detail = heldAlts();
    return v;
}

Verdict KeyFilter::onEvent(const KeyInput& in, SlotSet installed) {
    if (in.injected) return Verdict::pass();
    switch (in.virtualKey) {
        case keycode::LeftAlt:
        case keycode::Alt:  // a hook that cannot tell left from right
            return onAlt(leftAlt_, in.down);
        case keycode::RightAlt:
            return onAlt(rightAlt_, in.down);
        case keycode::Tab: {
            const std::optional<Slot> slot = slotWatching(Trigger::AltTab);
            return onTab(in.down, slot && installed.has(*slot), slot.value_or(Slot::AltTab));
        }
        default:
            return Verdict::pass();
    }
}

}  // namespace vela::hooks
