#include "hooks/ChatterFilter.h"

#include <algorithm>

namespace vela::hooks {

std::optional<MouseButton> ChatterFilter::configure(const MouseTuning& tuning) {
    settings_ = clamped(tuning).chatter;
    return reset();
}

std::optional<MouseButton> ChatterFilter::reset() {
    const std::optional<MouseButton> released = held_ ? std::optional(held_->button) : std::nullopt;
    held_.reset();
    // The counts and the windows stay while Vela runs.
    for (Button& b : buttons_) {
        Button fresh;
        fresh.bounces = b.bounces;
        fresh.windowOn = b.windowOn;
        b = fresh;
    }
    return released;
}

std::uint32_t ChatterFilter::threshold(MouseButton b) const {
    return static_cast<std::uint32_t>(settings_[indexOf(b)].thresholdMs);
}

std::uint32_t ChatterFilter::window(MouseButton b) const {
    return std::min(kReleaseWindowMs, threshold(b));
}

std::optional<MouseButton> ChatterFilter::letHeldGo() {
    if (!held_) return std::nullopt;
    Button& b = buttons_[indexOf(held_->button)];
    b.state = State::Up;
    b.lastRelease = held_->since;
    b.releasePassed = false;
    const MouseButton released = held_->button;
    held_.reset();
    return released;
}

std::optional<Tick> ChatterFilter::nextDue() const {
    if (!held_) return std::nullopt;
    return held_->since + window(held_->button);
}

std::optional<MouseButton> ChatterFilter::due(Tick now) {
    if (!held_) return std::nullopt;
    if (ticksBetween(held_->since, now) < window(held_->button)) return std::nullopt;
    return letHeldGo();
}

bool ChatterFilter::onPress(MouseButton id, Tick t, ChatterVerdict& v) {
    Button& b = buttons_[indexOf(id)];
    switch (b.state) {
        case State::ReleaseHeld:
            if (ticksBetween(held_->since, t) <= threshold(id)) {
                // The release never went out: the hold goes on.
                held_.reset();
                b.state = State::Down;
                ++b.bounces;
                return true;
            }
            v.releaseFirst = letHeldGo();  // the timer was late
            break;
        case State::Down:
        case State::BounceDown:
            // The release went by unseen; the program sees this press.
            b.state = State::Down;
            return false;
        case State::Up:
            break;
    }
    const std::optional<Tick> since =
        b.lastRelease ? std::optional(ticksBetween(*b.lastRelease, t)) : std::nullopt;
    if (since && !b.windowOn && b.releasePassed && *since <= window(id)) {
        // The first bounce the window would have caught: it has gone out as a
        // release already, so its press goes too.
        b.windowOn = true;
        b.state = State::Down;
        return false;
    }
    if (since && *since <= threshold(id)) {
        b.state = State::BounceDown;
        ++b.bounces;
        return true;
    }
    b.state = State::Down;
    return false;
}

bool ChatterFilter::onRelease(MouseButton id, Tick t) {
    Button& b = buttons_[indexOf(id)];
    switch (b.state) {
        case State::Down:
            if (!b.windowOn) {
                b.state = State::Up;
                b.lastRelease = t;
                b.releasePassed = true;
                return false;
            }
            b.state = State::ReleaseHeld;
            held_ = Held{id, t};
            return true;
        case State::ReleaseHeld:
            return true;  // its press went by unseen; one release is held already
        case State::BounceDown:
            b.state = State::Up;
            b.lastRelease = t;
            b.releasePassed = false;
            return true;
        case State::Up:
            // A press from before the filter watched, or from a lost hook.
            b.lastRelease = t;
            b.releasePassed = true;
            return false;
    }
    return false;
}

ChatterVerdict ChatterFilter::onEvent(const ButtonEvent& e) {
    ChatterVerdict v;
    if (e.injected) return v;
    if (held_ && held_->button != e.button) v.releaseFirst = letHeldGo();
    if (!settings_[indexOf(e.button)].on) return v;
    v.swallow = e.down ? onPress(e.button, e.time, v) : onRelease(e.button, e.time);
    return v;
}

}  // namespace vela::hooks
