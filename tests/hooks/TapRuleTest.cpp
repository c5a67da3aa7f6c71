// A layer button's tap as the user meets it: the mouse hook's pipeline and
// the layer state together, wired as the engine and Vela wire them (reports
// in the order the hook posts them, what the hook sends coming back through
// it as injected input).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/LayerState.h"
#include "hooks/MousePipeline.h"

namespace vela::hooks {
namespace {

constexpr std::string_view kRigButtons = "LRMBF";  // Left Right Middle Back Forward

// "All Programs" with Back as a layer button, nothing else remapped.
struct BackIsALayer final : AssignmentSource {
    ButtonAssignment layer;
    ButtonAssignment none;
    BackIsALayer() {
        layer.hookInstalled = true;
        layer.actionGroup = toRaw(ActionGroup::KeyGroup);
        layer.keyAction = toRaw(KeyAction::LayerWhileHeld);
    }
    const ButtonAssignment& assignmentFor(Slot slot) const override {
        return slot == Slot::X2 ? layer : none;
    }
};

struct TapRig final : LayerPort {
    MousePipeline pipe;
    BackIsALayer base;
    LayerSet layers;
    LayerState state{base, layers, *this};
    SlotSet layerHooks;
    int taps = 0;

    explicit TapRig(bool filter) {
        layers.add(Slot::X2);
        MouseTuning tuning;
        if (filter) tuning.chatter[indexOf(MouseButton::Left)] = {true, 16};
        pipe.configure(tuning, installed());
    }
    void activate(Slot slot, std::uint32_t) override { taps += slot == Slot::X2; }
    void release(Slot) override {}
    void setLayerHooks(SlotSet slots) override { layerHooks = slots; }

    SlotSet installed() const {
        SlotSet all = layerHooks;
        all.add(Slot::X2);
        return all;
    }
    void report(const Verdict& v, Tick t) {
        if (!v.reportSlot) return;
        if (v.release) return state.release(*v.reportSlot, t);
        for (int n = 0; n < v.reports; ++n) state.press(*v.reportSlot, t);
    }
    void handle(const MouseOutcome& o, Tick t) {
        report(o.released, t);
        report(o.verdict, t);
        for (const MouseSend& s : o.send) handle(pipe.onEvent(injected(s), t, installed()), t);
        if (o.otherInput) state.otherInput();
    }
    static MouseInput injected(const MouseSend& s) {
        MouseInput in = s.kind == MouseSend::Kind::Wheel
                            ? MouseInput{s.horizontal ? MouseEventKind::TiltWheel
                                                      : MouseEventKind::Wheel}
                            : button(s.button, s.down);
        in.wheelDelta = s.delta;
        in.injected = true;
        return in;
    }
    static MouseInput button(MouseButton b, bool down) {
        switch (b) {
            case MouseButton::Left:
                return {down ? MouseEventKind::LeftDown : MouseEventKind::LeftUp};
            case MouseButton::Right:
                return {down ? MouseEventKind::RightDown : MouseEventKind::RightUp};
            case MouseButton::Middle:
                return {down ? MouseEventKind::MiddleDown : MouseEventKind::MiddleUp};
            case MouseButton::Back:
                return {down ? MouseEventKind::XDown : MouseEventKind::XUp, kPlatformXButton1};
            case MouseButton::Forward:
                return {down ? MouseEventKind::XDown : MouseEventKind::XUp, kPlatformXButton2};
        }
        return {};
    }

    // "L+0 L-80 B+85 U90 T95 B-160": a button down or up, a notch up, a tilt
    // right, each at its time in ms; the release timer fires in between.
    int run(std::string_view events) {
        std::istringstream in{std::string(events)};
        for (std::string e; in >> e;) {
            const bool wheel = e[0] == 'U' || e[0] == 'T';
            const Tick t = static_cast<Tick>(std::stoul(e.substr(wheel ? 1 : 2)));
            if (const std::optional<Tick> due = pipe.nextDue(); due && *due <= t)
                handle(pipe.due(*due, installed()), *due);
            MouseInput input{e[0] == 'U' ? MouseEventKind::Wheel : MouseEventKind::TiltWheel};
            input.wheelDelta = 120;
            if (!wheel)
                input = button(MouseButton(kRigButtons.find(e[0])), e[1] == '+');
            handle(pipe.onEvent(input, t, installed()), t);
        }
        return taps;
    }
};

// The filtered rows begin with a bounce of the left button, so that its
// release window is on whatever the filter's rule for switching it on.
constexpr std::string_view kLeftBounce = "L+0 L-50 L+55 L-120 ";

TEST(TapRule, OnlyInputBegunDuringTheHoldSpoilsTheTap) {
    struct Row {
        const char* name;
        std::string events;  // Back pressed at 1000 and released at 1100
        int taps;
    };
    const auto backAfterLeftUp = [](int gap) {
        return "L+900 L-" + std::to_string(1000 - gap) + " B+1000 B-1100";
    };
    const Row rows[] = {
        {"left let go 2 ms before", backAfterLeftUp(2), 1},
        {"left let go 10 ms before", backAfterLeftUp(10), 1},
        {"left let go 15 ms before", backAfterLeftUp(15), 1},
        {"left let go 17 ms before", backAfterLeftUp(17), 1},
        {"left let go 30 ms before", backAfterLeftUp(30), 1},
        {"left clicked during the hold", "B+1000 L+1020 L-1050 B-1100", 0},
        {"left pressed before, let go during the hold", "L+990 B+1000 L-1050 B-1100", 1},
        {"right pressed during the hold", "B+1000 R+1020 R-1050 B-1100", 0},
        {"middle pressed during the hold", "B+1000 M+1020 M-1050 B-1100", 0},
        {"forward, which the layer does not set", "B+1000 F+1020 F-1050 B-1100", 0},
        {"a wheel notch during the hold", "B+1000 U1020 B-1100", 0},
        {"a tilt during the hold", "B+1000 T1020 B-1100", 0},
        {"nothing during the hold", "B+1000 B-1100", 1},
    };
    for (const bool filter : {false, true}) {
        for (const Row& row : rows) {
            TapRig rig(filter);
            EXPECT_EQ(rig.run((filter ? std::string(kLeftBounce) : "") + row.events), row.taps)
                << row.name << (filter ? ", left filtered" : "");
        }
    }
}

}  // namespace
}  // namespace vela::hooks
