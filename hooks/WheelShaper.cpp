#include "hooks/WheelShaper.h"

#include <algorithm>
#include <cstdlib>

namespace vela::hooks {

void WheelShaper::configure(const MouseTuning& tuning) {
    tuning_ = clamped(tuning);
    vertical_ = Axis{};
    horizontal_ = Axis{};
}

bool WheelShaper::filter(Axis& axis, int delta, Tick time, int& physical) {
    const int direction = delta < 0 ? -1 : 1;
    const bool soon = axis.seen && ticksBetween(axis.last, time) <= kWheelBounceWindowMs;
    axis.last = time;
    axis.seen = true;
    if (soon && axis.run != 0 && direction != axis.run) {
        if (axis.held == 0) ++bounces_;
        axis.held += delta;  // |held| <= one notch before: no overflow
        if (std::abs(axis.held) <= kNotch) return false;
        --bounces_;  // a real turn the other way, with its first notch
        physical = axis.held;
    }
    axis.held = 0;
    axis.run = direction;
    return true;
}

WheelVerdict WheelShaper::shaped(int physical, int original, bool horizontal) const {
    WheelVerdict v;
    v.physical = physical;
    const bool reverse = horizontal ? tuning_.reverseHorizontal : tuning_.reverseVertical;
    int out = physical * tuning_.wheelNotches * (reverse ? -1 : 1);
    if (out == original) return v;
    v.action = WheelVerdict::Action::Replace;
    while (out != 0) {
        const int piece = std::clamp(out, -kMaxSentDelta, kMaxSentDelta);
        v.send.add(piece);
        out -= piece;
    }
    return v;
}

WheelVerdict WheelShaper::onWheel(const WheelEvent& e) {
    if (e.injected || e.delta == 0) {
        WheelVerdict untouched;
        untouched.physical = e.delta;
        return untouched;
    }
    // The platform's delta is 16 bits; anything else is not a wheel event.
    const int delta = std::clamp(e.delta, -kMaxEventDelta, kMaxEventDelta - 1);
    int physical = delta;
    Axis& axis = e.horizontal ? horizontal_ : vertical_;
    if (tuning_.wheelBounceFilter && !filter(axis, delta, e.time, physical)) {
        WheelVerdict dropped;
        dropped.action = WheelVerdict::Action::Drop;
        return dropped;
    }
    return shaped(physical, e.delta, e.horizontal);
}

}  // namespace vela::hooks
