#include "hooks/KeyFilter.h"

namespace vela::hooks {

Verdict KeyFilter::onAlt(bool& swallowed, bool down, bool slotInstalled) {
    if (down) {
        // A press that started before the slot was installed stays native.
        if (!slotInstalled) return Verdict::pass();
        swallowed = true;
        return Verdict::swallow();
    }
    if (!swallowed) return Verdict::pass();
    swallowed = false;
    return Verdict::swallow();
}

Verdict KeyFilter::onEvent(const KeyInput& in, SlotMask installed) {
    if (in.injected) return Verdict::pass();
    const std::optional<Slot> slot = slotWatching(Trigger::AltTab);
    const bool slotInstalled = slot && installed.has(*slot);

    switch (in.virtualKey) {
        case keycode::LeftAlt:
        case keycode::Alt:  // a hook that cannot tell left from right
            return onAlt(leftAltSwallowed_, in.down, slotInstalled);
        case keycode::RightAlt:
            return onAlt(rightAltSwallowed_, in.down, slotInstalled);
        case keycode::Tab:
            if (!in.down) {
                tabPassed_ = false;
                if (!tabSwallowed_) return Verdict::pass();
                tabSwallowed_ = false;
                return Verdict::swallow();
            }
            // Auto-repeats carry on the way their press went: a Tab already
            // taken is swallowed without a second report, and a Tab that was
            // down before Alt stays native.
            if (tabSwallowed_) return Verdict::swallow();
            if (tabPassed_ || !slotInstalled || !altHeld()) {
                tabPassed_ = true;
                return Verdict::pass();
            }
            tabSwallowed_ = true;
            return Verdict::report(*slot);
        default:
            return Verdict::pass();
    }
}

}  // namespace vela::hooks
