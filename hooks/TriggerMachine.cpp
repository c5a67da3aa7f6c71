#include "hooks/TriggerMachine.h"

#include <algorithm>
#include <cstdlib>

#include "hooks/HookTypes.h"
#include "hooks/MouseFilter.h"

namespace vela::hooks {

namespace {

using T = TriggerTimings;

std::optional<Slot> slotOf(MouseButton b) {
    const std::optional<Trigger> trigger = buttonInfo(b).trigger;
    return trigger ? slotWatching(*trigger) : std::nullopt;
}

// Whether `a` comes before `b` on the wrapping tick count.
bool earlier(Tick a, Tick b) {
    return static_cast<std::int32_t>(a - b) < 0;
}

}  // namespace

TriggerOutcome TriggerMachine::configure(const TriggerConfig& config) {
    // Only a button whose own row changed lets go: the settings change with
    // a held layer or a profile switch, in the middle of other presses.
    TriggerOutcome out;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto b = static_cast<MouseButton>(i);
        Button& s = buttons_[i];
        if (config.buttons.of(b) == triggers(b) || s.phase == Phase::OwnPress) continue;
        const bool held = holds(b);
        letGo(b, s, out);
        s.tapped = false;
        // Its release is still to come: swallowed, as its press was.
        if (held) enter(s, Phase::Spent, false);
    }
    config_ = config;
    config_.doubleClickMs =
        std::clamp(config_.doubleClickMs, T::kMinDoubleClickMs, T::kMaxDoubleClickMs);
    return out;
}

void TriggerMachine::enter(Button& s, Phase phase, bool pointerHeld) {
    movesTracked_ += (pointerHeld ? 1 : 0) - (s.pointerHeld ? 1 : 0);
    s.phase = phase;
    s.pointerHeld = pointerHeld;
}

bool TriggerMachine::holds(MouseButton b) const {
    const Phase phase = buttons_[indexOf(b)].phase;
    return phase != Phase::Idle && phase != Phase::AwaitSecond;
}

bool TriggerMachine::holdsRelease() const {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (holds(MouseButton(i))) return true;
    return false;
}

void TriggerMachine::click(MouseButton b, Button& s, TriggerOutcome& out) const {
    const ButtonTriggers& t = triggers(b);
    if (t.ownClick || t.hold == HoldUse::DragScroll) {
        out.send.add({MouseSend::Kind::Button, b, true});
        out.send.add({MouseSend::Kind::Button, b, false});
        return;
    }
    out.fired.add({TriggerFire::Activation, s.slot});
    out.fired.add({TriggerFire::Release, s.slot});
}

TriggerOutcome TriggerMachine::onButton(MouseButton b, bool down, int x, int y, Tick time,
                                        SlotSet installed) {
    TriggerOutcome out;
    const std::optional<Slot> slot = slotOf(b);
    if (!slot) return out;
    Button& s = buttons_[indexOf(b)];
    const bool held = holds(b);
    if (!down) {
        if (held) release(b, s, time, out);
        return out;
    }
    // A press while held: its release went by unseen.
    if (held) letGo(b, s, out);
    if (s.phase == Phase::AwaitSecond) {
        if (ticksBetween(s.since, time) < config_.doubleClickMs && installed.has(*slot) &&
            triggers(b).doubleClick) {
            out.fired.add({TriggerFire::DoubleClick, s.slot});
            enter(s, Phase::Second, false);
            out.taken = out.swallow = true;
            return out;
        }
        click(b, s, out);
        enter(s, Phase::Idle, false);
    }
    if (!installed.has(*slot) || !triggers(b).any()) return out;
    press(b, s, *slot, x, y, time, out);
    return out;
}

void TriggerMachine::press(MouseButton b, Button& s, Slot slot, int x, int y, Tick time,
                           TriggerOutcome& out) {
    const ButtonTriggers& t = triggers(b);
    out.taken = true;
    out.swallow = true;
    s.slot = slot;
    s.since = time;
    s.anchorX = x;
    s.anchorY = y;
    s.movedX = s.movedY = 0;
    if (t.hold != HoldUse::Layer) {
        enter(s, Phase::Deciding, t.hold != HoldUse::None);
        return;
    }
    const bool repressed = s.tapped && ticksBetween(s.tappedAt, time) < T::kLayerRepressMs;
    s.tapped = false;
    if (repressed) {
        out.swallow = false;
        enter(s, Phase::OwnPress, false);
        return;
    }
    out.fired.add({TriggerFire::Activation, slot});
    enter(s, Phase::LayerHeld, true);
}

void TriggerMachine::release(MouseButton b, Button& s, Tick time, TriggerOutcome& out) {
    out.taken = true;
    out.swallow = true;
    switch (s.phase) {
        case Phase::Deciding:
            if (triggers(b).doubleClick) {
                s.since = time;
                enter(s, Phase::AwaitSecond, false);
                return;
            }
            click(b, s, out);
            break;
        case Phase::LayerHeld:
            s.tapped = true;
            s.tappedAt = time;
            out.fired.add({TriggerFire::Release, s.slot});
            break;
        case Phase::OwnPress:
            out.swallow = false;
            break;
        default:
            letGo(b, s, out);
            break;
    }
    enter(s, Phase::Idle, false);
}

void TriggerMachine::letGo(MouseButton b, Button& s, TriggerOutcome& out) {
    switch (s.phase) {
        case Phase::OwnDrag:
            out.send.add({MouseSend::Kind::Button, b, false});
            out.fired.add({TriggerFire::Release, s.slot});
            break;
        case Phase::LayerHeld:
        case Phase::LayerUsed:
            out.fired.add({TriggerFire::Release, s.slot});
            break;
        default:
            break;
    }
    enter(s, Phase::Idle, false);
}

TriggerOutcome TriggerMachine::onMove(int x, int y) {
    TriggerOutcome out;
    out.taken = true;
    out.swallow = movesTracked_ != 0;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        Button& s = buttons_[i];
        if (!s.pointerHeld) continue;
        const auto b = static_cast<MouseButton>(i);
        const int dx = x - s.anchorX;
        const int dy = y - s.anchorY;
        switch (s.phase) {
            case Phase::Deciding:
            case Phase::LayerHeld:
                moveDeciding(b, s, dx, dy, out);
                break;
            case Phase::Gesture:
                moveGesture(b, s, dx, dy, out);
                break;
            case Phase::Scrolling:
                moveScrolling(b, s, dx, dy, out);
                break;
            default:
                break;
        }
    }
    return out;
}

void TriggerMachine::moveDeciding(MouseButton b, Button& s, int dx, int dy, TriggerOutcome& out) {
    s.movedX += dx;
    s.movedY += dy;
    const int across = std::abs(s.movedX);
    const int along = std::abs(s.movedY);
    const int major = std::max(across, along);
    if (major < distance()) return;
    const bool horizontal = across > along;
    const int minor = std::min(across, along);
    const int movedX = s.movedX;
    const int movedY = s.movedY;
    s.movedX = s.movedY = 0;
    if (s.phase == Phase::LayerHeld) {
        out.send.add({MouseSend::Kind::Button, b, true});
        out.fired.add({TriggerFire::OwnDrag, s.slot});
        enter(s, Phase::OwnDrag, false);
        return;
    }
    if (triggers(b).hold == HoldUse::DragScroll) {
        s.scrollAxis = triggers(b).axisLock ? (horizontal ? 1 : 2) : 0;
        enter(s, Phase::Scrolling, true);
        return;
    }
    if (minor * 100 > major * T::kAxisStrayPercent) {
        enter(s, Phase::Spent, true);
        return;
    }
    s.direction = horizontal ? (movedX < 0 ? GestureDirection::Left : GestureDirection::Right)
                             : (movedY < 0 ? GestureDirection::Up : GestureDirection::Down);
    out.fired.add({gestureFire(s.direction), s.slot});
    enter(s, Phase::Gesture, true);
}

void TriggerMachine::moveGesture(MouseButton b, Button& s, int dx, int dy, TriggerOutcome& out) {
    if (!triggers(b).repeat[static_cast<std::size_t>(s.direction)]) return;
    int along = 0;
    switch (s.direction) {
        case GestureDirection::Up:
            along = -dy;
            break;
        case GestureDirection::Down:
            along = dy;
            break;
        case GestureDirection::Left:
            along = -dx;
            break;
        case GestureDirection::Right:
            along = dx;
            break;
    }
    const int step = scaledToDpi(T::kRepeatDistance96, config_.dpi);
    // movedX is the way gone since the last firing, never below nothing: a
    // step back does not have to be made up first.
    s.movedX = std::max(0, s.movedX + along);
    if (s.movedX < step) return;
    out.fired.add({gestureFire(s.direction), s.slot});
    s.movedX = std::min(s.movedX - step, step - 1);
}

void TriggerMachine::moveScrolling(MouseButton b, Button& s, int dx, int dy, TriggerOutcome& out) {
    const ButtonTriggers& t = triggers(b);
    const int speed = std::clamp<int>(t.scrollSpeed, kMinScrollSpeed, kMaxScrollSpeed);
    const int perNotch =
        std::max(1, scaledToDpi(T::kScrollPixelsPerNotch96, config_.dpi) * 100 / speed);
    if (s.scrollAxis != 2) s.movedX += dx;
    if (s.scrollAxis != 1) s.movedY += dy;
    const auto notches = [&](int& rest) {
        const int n = rest / perNotch;
        rest -= n * perNotch;
        return std::clamp(n, -T::kMaxNotchesPerMove, T::kMaxNotchesPerMove);
    };
    // Down the screen scrolls down: the wheel turned towards the user.
    if (const int n = notches(s.movedY))
        out.send.add({MouseSend::Kind::Wheel, b, false, -n * kNotch, false});
    if (const int n = notches(s.movedX))
        out.send.add({MouseSend::Kind::Wheel, b, false, n * kNotch, true});
}

void TriggerMachine::onOtherInput(std::optional<MouseButton> pressed) {
    for (Button& s : buttons_) {
        if (pressed && &s == &buttons_[indexOf(*pressed)]) continue;
        s.tapped = false;
        if (s.phase == Phase::LayerHeld) enter(s, Phase::LayerUsed, false);
    }
}

std::optional<Tick> TriggerMachine::nextDue() const {
    std::optional<Tick> next;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const Button& s = buttons_[i];
        std::optional<Tick> due;
        if (s.phase == Phase::AwaitSecond) due = s.since + config_.doubleClickMs;
        if (s.phase == Phase::Deciding && triggers(MouseButton(i)).longPress)
            due = s.since + T::kLongPressMs;
        if (due && (!next || earlier(*due, *next))) next = due;
    }
    return next;
}

TriggerOutcome TriggerMachine::due(Tick now) {
    TriggerOutcome out;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        Button& s = buttons_[i];
        const auto b = static_cast<MouseButton>(i);
        const Tick elapsed = ticksBetween(s.since, now);
        if (s.phase == Phase::AwaitSecond && elapsed >= config_.doubleClickMs) {
            click(b, s, out);
            enter(s, Phase::Idle, false);
        } else if (s.phase == Phase::Deciding && triggers(b).longPress &&
                   elapsed >= T::kLongPressMs) {
            out.fired.add({TriggerFire::LongPress, s.slot});
            enter(s, Phase::Spent, s.pointerHeld);
        }
    }
    return out;
}

TriggerOutcome TriggerMachine::reset() {
    TriggerOutcome out;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        letGo(MouseButton(i), buttons_[i], out);
        buttons_[i].tapped = false;
    }
    return out;
}

}  // namespace vela::hooks
