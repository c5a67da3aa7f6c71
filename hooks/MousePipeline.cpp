#include "hooks/MousePipeline.h"

namespace vela::hooks {

namespace {

// The chatter filter's button of a button event, and whether it goes down.
struct ButtonOf {
    MouseButton button;
    bool down;
};

std::optional<ButtonOf> buttonOf(const MouseInput& in) {
    const auto side = [&](bool down) -> std::optional<ButtonOf> {
        if (const std::optional<MouseButton> b = sideButton(in.xButton)) return ButtonOf{*b, down};
        return std::nullopt;
    };
    switch (in.kind) {
        case MouseEventKind::LeftDown:
            return ButtonOf{MouseButton::Left, true};
        case MouseEventKind::LeftUp:
            return ButtonOf{MouseButton::Left, false};
        case MouseEventKind::RightDown:
            return ButtonOf{MouseButton::Right, true};
        case MouseEventKind::RightUp:
            return ButtonOf{MouseButton::Right, false};
        case MouseEventKind::MiddleDown:
            return ButtonOf{MouseButton::Middle, true};
        case MouseEventKind::MiddleUp:
            return ButtonOf{MouseButton::Middle, false};
        case MouseEventKind::XDown:
            return side(true);
        case MouseEventKind::XUp:
            return side(false);
        default:
            return std::nullopt;
    }
}

// The physical release of a button, as the hook would have seen it.
MouseInput releaseOf(MouseButton b) {
    switch (b) {
        case MouseButton::Left:
            return {MouseEventKind::LeftUp};
        case MouseButton::Right:
            return {MouseEventKind::RightUp};
        case MouseButton::Middle:
            return {MouseEventKind::MiddleUp};
        case MouseButton::Back:
        case MouseButton::Forward:
            return {MouseEventKind::XUp, buttonInfo(b).xButton};
    }
    return {};
}

}  // namespace

MouseOutcome MousePipeline::configure(const MouseTuning& tuning, SlotSet installed) {
    tuning_ = clamped(tuning);
    tuned_ = tunesAnything(tuning_);
    MouseOutcome out;
    letGo(chatter_.configure(tuning_), installed, out);
    wheel_.configure(tuning_);
    return out;
}

MouseOutcome MousePipeline::configureTriggers(const TriggerConfig& config, SlotSet installed) {
    MouseOutcome out;
    letGo(chatter_.letGo(), installed, out);
    take(triggers_.configure(config), out);
    return out;
}

void MousePipeline::take(const TriggerOutcome& t, MouseOutcome& out) {
    for (const Fired& f : t.fired) out.fired.add(f);
    for (const MouseSend& s : t.send) out.send.add(s);
}

std::optional<Tick> MousePipeline::nextDue() const {
    const std::optional<Tick> held = chatter_.nextDue();
    const std::optional<Tick> timed = triggers_.nextDue();
    if (!held || !timed) return held ? held : timed;
    return static_cast<std::int32_t>(*held - *timed) < 0 ? held : timed;
}

MouseOutcome MousePipeline::reset(SlotSet installed) {
    MouseOutcome out;
    letGo(chatter_.reset(), installed, out);
    take(triggers_.reset(), out);
    wheel_.configure(tuning_);
    return out;
}

MouseOutcome MousePipeline::letGoNow(SlotSet installed) {
    MouseOutcome out;
    letGo(chatter_.letGo(), installed, out);
    take(triggers_.reset(), out);
    return out;
}

MouseOutcome MousePipeline::due(Tick now, SlotSet installed) {
    MouseOutcome out;
    lastTime_ = now;
    letGo(chatter_.due(now), installed, out);
    take(triggers_.due(now), out);
    return out;
}

BounceCounts MousePipeline::bounces() const {
    BounceCounts counts;
    for (std::size_t b = 0; b < kMouseButtonCount; ++b) {
        counts.buttons[b] = chatter_.bounces(MouseButton(b));
        counts.releaseWindows[b] = chatter_.releaseWindowOn(MouseButton(b));
    }
    counts.wheel = wheel_.bounces();
    return counts;
}

void MousePipeline::letGo(std::optional<MouseButton> button, SlotSet installed, MouseOutcome& out) {
    if (!button) return;
    if (triggers_.holds(*button)) {
        // The machine's release: it alone knows what the press was.
        const TriggerOutcome t = triggers_.onButton(*button, false, 0, 0, lastTime_, installed);
        take(t, out);
        if (!t.swallow) out.send.add({MouseSend::Kind::Button, *button, false});
        return;
    }
    out.released = remap_.onEvent(releaseOf(*button), installed);
    if (!out.released.suppress) out.send.add({MouseSend::Kind::Button, *button, false});
}

MouseOutcome MousePipeline::onButton(const MouseInput& in, MouseButton button, bool down, Tick time,
                                     SlotSet installed) {
    MouseOutcome out;
    const std::uint32_t before = chatter_.bounces(button);
    const bool windowBefore = chatter_.releaseWindowOn(button);
    const ChatterVerdict chatter = chatter_.onEvent({button, down, time, false});
    letGo(chatter.releaseFirst, installed, out);
    out.counted =
        chatter_.bounces(button) != before || chatter_.releaseWindowOn(button) != windowBefore;
    if (chatter.swallow) {
        out.swallow = true;
        return out;
    }
    if (down) triggers_.onOtherInput(button);
    const TriggerOutcome t = triggers_.onButton(button, down, in.x, in.y, time, installed);
    take(t, out);
    if (t.taken) {
        out.swallow = t.swallow;
        if (!out.send.empty() && !out.swallow) {
            out.send.add({MouseSend::Kind::Button, button, down});
            out.swallow = true;
        }
        return out;
    }
    out.verdict = remap_.onEvent(in, installed);
    out.swallow = out.verdict.suppress;
    out.otherInput = down && !out.verdict.reportSlot;
    if (!out.send.empty() && !out.swallow) {
        out.send.add({MouseSend::Kind::Button, button, down});
        out.swallow = true;
    }
    return out;
}

MouseOutcome MousePipeline::onWheel(const MouseInput& in, Tick time, SlotSet installed) {
    MouseOutcome out;
    triggers_.onOtherInput(std::nullopt);
    const bool horizontal = in.kind == MouseEventKind::TiltWheel;
    const std::uint32_t before = wheel_.bounces();
    const WheelVerdict shaped = wheel_.onWheel({in.wheelDelta, horizontal, time, false});
    out.counted = wheel_.bounces() != before;
    if (shaped.action == WheelVerdict::Action::Drop) {
        out.swallow = true;
        return out;
    }
    MouseInput physical = in;
    physical.wheelDelta = shaped.physical;
    out.verdict = remap_.onEvent(physical, installed);
    out.swallow = out.verdict.suppress;
    out.otherInput = !out.verdict.reportSlot;
    if (out.swallow || shaped.action != WheelVerdict::Action::Replace) return out;
    for (int delta : shaped.send)
        out.send.add({MouseSend::Kind::Wheel, {}, false, delta, horizontal});
    out.swallow = true;
    return out;
}

MouseOutcome MousePipeline::onEvent(const MouseInput& in, Tick time, SlotSet installed) {
    MouseOutcome out = decide(in, time, installed);
    const bool click = in.kind == MouseEventKind::LeftUp || in.kind == MouseEventKind::RightUp ||
                       in.kind == MouseEventKind::MiddleUp;
    out.clicked = click && !out.swallow;
    return out;
}

MouseOutcome MousePipeline::decide(const MouseInput& in, Tick time, SlotSet installed) {
    lastTime_ = time;
    if (in.kind == MouseEventKind::Move && !in.injected && triggers_.tracksMoves()) {
        MouseOutcome out;
        const TriggerOutcome t = triggers_.onMove(in.x, in.y);
        take(t, out);
        out.swallow = t.swallow;
        return out;
    }
    if (!in.injected) {
        if (const auto b = buttonOf(in)) return onButton(in, b->button, b->down, time, installed);
        if (in.kind == MouseEventKind::Wheel || in.kind == MouseEventKind::TiltWheel)
            return onWheel(in, time, installed);
    }
    MouseOutcome out;
    out.verdict = remap_.onEvent(in, installed);
    out.swallow = out.verdict.suppress;
    return out;
}

}  // namespace vela::hooks
