// The trigger machine over random presses, releases, moves, other input,
// resets, new settings and timer ticks of random settings, starting just before the tick
// count wraps; then its timings, case by case.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hooks/TriggerMachine.h"

namespace vela::hooks {
namespace {

constexpr std::array<MouseButton, 4> kTriggerButtons{MouseButton::Right, MouseButton::Middle,
                                                     MouseButton::Back, MouseButton::Forward};

// What programs and Vela saw of one button since its latest press.
struct Seen {
    bool down = false, sentDown = false, taken = false, activated = false;
    int gestures = 0;
    std::optional<TriggerFire> gesture;
};

class TriggerRun {
public:
    explicit TriggerRun(unsigned seed) : rng_(seed) {
        TriggerConfig c;
        for (MouseButton b : kTriggerButtons) {
            ButtonTriggers& t = c.buttons.of(b);
            t.hold = HoldUse(pick(4));
            for (bool& r : t.repeat) r = pick(2);
            t.ownClick = pick(2), t.axisLock = pick(2), t.doubleClick = pick(2);
            t.longPress = pick(2), t.scrollSpeed = std::uint16_t(50 + pick(300));
        }
        c.dpi = 96 + 48 * pick(3), c.doubleClickMs = 200 + pick(600);
        m_.configure(c);
    }

    void step() {
        const MouseButton b = kTriggerButtons[pick(4)];
        Seen& s = seen_[indexOf(b)];
        switch (pick(9)) {
            case 0:
            case 1:  // the button goes the other way
                s.down = !s.down;
                if (s.down) s = Seen{true, s.sentDown, false, s.activated, 0, std::nullopt};
                check(b, m_.onButton(b, s.down, x_, y_, now_, installed_), s.down);
                break;
            case 2:
            case 3: {  // the pointer moves; it stays where it was when swallowed
                const int far = pick(10) == 0 ? 400 : 40;
                const int nx = x_ + int(pick(2 * far)) - far, ny = y_ + int(pick(2 * far)) - far;
                const TriggerOutcome out = m_.tracksMoves() ? m_.onMove(nx, ny) : TriggerOutcome{};
                ASSERT_TRUE(out.swallow || !gestureHeld()) << "a gesture's move reached programs";
                if (!out.swallow) x_ = nx, y_ = ny;
                check(std::nullopt, out, false);
                break;
            }
            case 4:
                now_ += pick(900);
                while (m_.nextDue() && std::int32_t(now_ - *m_.nextDue()) >= 0)
                    check(std::nullopt, m_.due(*m_.nextDue()), false);
                break;
            case 5:
                m_.onOtherInput(std::nullopt);
                break;
            case 6:
                installed_ = SlotSet(std::uint32_t(pick(32)));
                break;
            case 7: {  // new settings for one button, maybe the same
                TriggerConfig c = m_.config();
                c.buttons.of(b).hold = HoldUse(pick(4));
                s.taken = s.taken && c.buttons.of(b) == of(b);
                check(std::nullopt, m_.configure(c));
                break;
            }
            default:
                if (pick(8) != 0) break;
                check(std::nullopt, m_.reset(), false);
                for (Seen& each : seen_) {
                    ASSERT_FALSE(each.sentDown || each.activated) << "left down by a reset";
                    each.taken = false;
                }
        }
    }

    void finish() {
        for (MouseButton b : kTriggerButtons)
            if (seen_[indexOf(b)].down) check(b, m_.onButton(b, false, x_, y_, now_, installed_));
        check(std::nullopt, m_.due(now_ + 10000));
        for (const Seen& s : seen_) EXPECT_FALSE(s.sentDown || s.activated) << "left down";
        EXPECT_FALSE(m_.holdsRelease() || m_.tracksMoves());
    }

private:
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng_); }
    const ButtonTriggers& of(MouseButton b) const { return m_.config().buttons.of(b); }

    bool gestureHeld() const {
        return std::any_of(kTriggerButtons.begin(), kTriggerButtons.end(), [&](MouseButton b) {
            const Seen& s = seen_[indexOf(b)];
            return s.down && s.taken &&
                   (of(b).hold == HoldUse::Gestures || of(b).hold == HoldUse::DragScroll);
        });
    }

    // `event` is the button whose press (`down`) or release the outcome answers.
    void check(std::optional<MouseButton> event, const TriggerOutcome& out, bool down = false) {
        // A double click's second press is no gesture's.
        if (event && down)
            seen_[indexOf(*event)].taken =
                out.taken && (out.fired.empty() || out.fired[0].what != TriggerFire::DoubleClick);
        if (event && down && out.taken && !out.swallow) {  // only a layer button's own press passes
            ASSERT_EQ(of(*event).hold, HoldUse::Layer);
        }
        const bool dragged = std::any_of(out.fired.begin(), out.fired.end(),
                                         [](auto& f) { return f.what == TriggerFire::OwnDrag; });
        for (std::size_t i = 0; i < out.send.size(); ++i) {
            const MouseSend& send = out.send[i];
            Seen& s = seen_[indexOf(send.button)];
            if (send.kind == MouseSend::Kind::Wheel) {
                ASSERT_EQ(of(send.button).hold, HoldUse::DragScroll);
                continue;
            }
            ASSERT_NE(s.sentDown, send.down) << "a down without its up, or an up without a down";
            s.sentDown = send.down;
            // The button's own press goes out as a whole click, or as a drag begun.
            const bool clicked =
                i + 1 < out.send.size() &&
                out.send[i + 1] == MouseSend{MouseSend::Kind::Button, send.button, false};
            ASSERT_TRUE(!send.down || clicked || (dragged && s.down));
        }
        for (const Fired& f : out.fired) {
            const auto b = *std::find_if(
                kTriggerButtons.begin(), kTriggerButtons.end(),
                [&](auto x) { return slotWatching(*buttonInfo(x).trigger) == f.slot; });
            Seen& s = seen_[indexOf(b)];
            const bool click = f.what == TriggerFire::Activation || f.what == TriggerFire::Release;
            ASSERT_TRUE(s.down || click) << "fired after the release: " << int(f.what);
            if (click) {
                ASSERT_NE(s.activated, f.what == TriggerFire::Activation);
                s.activated = f.what == TriggerFire::Activation;
            } else if (f.what >= TriggerFire::GestureUp && f.what <= TriggerFire::GestureRight) {
                ASSERT_TRUE(!s.gesture || *s.gesture == f.what) << "two directions in one press";
                ASSERT_TRUE(++s.gestures == 1 ||
                            of(b).repeat[int(f.what) - int(TriggerFire::GestureUp)]);
                s.gesture = f.what;
            }
        }
    }

    std::mt19937 rng_;
    TriggerMachine m_;
    std::array<Seen, kMouseButtonCount> seen_{};
    SlotSet installed_ = SlotSet::all();
    Tick now_ = Tick(0) - 4000;
    int x_ = 500, y_ = 500;
};

TEST(TriggerMachine, RandomInterleavingsKeepEveryPromise) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        SCOPED_TRACE(seed);
        TriggerRun run(seed);
        for (int i = 0; i < 120 && !testing::Test::HasFatalFailure(); ++i) run.step();
        if (testing::Test::HasFatalFailure()) return;
        run.finish();
    }
}

// One input of a timing case, `at` ms after the first press (256 ms before
// the tick count wraps): P press, R release, M move by (dx, dy), D timer.
struct Input {
    char kind;
    Tick at;
    int dx = 0, dy = 0;
};

ButtonTriggers with(HoldUse hold, bool ownClick, bool doubleClick = false, bool longPress = false,
                    bool repeatUp = false) {
    ButtonTriggers t;
    t.hold = hold, t.ownClick = ownClick, t.doubleClick = doubleClick, t.longPress = longPress;
    t.repeat[0] = repeatUp;
    return t;
}

// What was sent, fired or passed, in order.
std::string told(const TriggerOutcome& out, bool button) {
    constexpr const char* kFires[] = {"Activation", "Release",   "Up",          "Down",   "Left",
                                      "Right",      "LongPress", "DoubleClick", "OwnDrag"};
    std::string s = button && out.taken && !out.swallow ? "pass " : "";
    for (const MouseSend& m : out.send)
        s += m.kind == MouseSend::Kind::Wheel
                 ? (m.horizontal ? "hwheel" : "wheel") + std::to_string(m.delta) + ' '
                 : (m.down ? "down " : "up ");
    for (const Fired& f : out.fired) s += std::string(kFires[int(f.what)]) + ' ';
    return s;
}

TEST(TriggerMachine, NamedTimings) {
    using H = HoldUse;
    const struct {
        const char* name;
        ButtonTriggers triggers;
        std::uint32_t dpi;
        std::vector<Input> inputs;
        const char* expected;
    } cases[] = {
        // clang-format off
        {"no double click set: the click goes out at the release, nothing waits",
         with(H::Gestures, true), 96, {{'P', 0}, {'D', 0}, {'R', 80}, {'D', 5000}}, "down up "},
        {"long press at 600 ms, not at 599, across the wrap; released at 599: the click",
         with(H::None, false, false, true), 96, {{'P', 0}, {'D', 599}, {'D', 600}, {'R', 700},
         {'P', 1000}, {'R', 1599}, {'D', 1600}}, "LongPress Activation Release "},
        {"second press within the double-click time: a double click; at it: two clicks",
         with(H::None, false, true), 96, {{'P', 0}, {'R', 50}, {'P', 549}, {'R', 600}, {'D', 5000},
         {'P', 6000}, {'R', 6050}, {'D', 6550}, {'P', 6560}, {'R', 6600}, {'D', 7100}},
         "DoubleClick Activation Release Activation Release "},
        {"a gesture fires at the distance, while held, once", with(H::Gestures, true), 96,
         {{'P', 0}, {'M', 10, 0, -39}, {'M', 20, 0, -1}, {'M', 30, 0, -100}, {'R', 40}}, "Up "},
        {"more than half across the axis: no gesture, no click; half across: a gesture",
         with(H::Gestures, false), 96, {{'P', 0}, {'M', 10, 41, 21}, {'R', 40}, {'P', 100},
         {'M', 110, -40, 20}, {'R', 140}}, "Left "},
        {"at 144 DPI the distance is 60 pixels", with(H::Gestures, true), 144,
         {{'P', 0}, {'M', 10, 59, 0}, {'M', 20, 1, 0}, {'R', 40}}, "Right "},
        {"a repeating direction fires again each further distance",
         with(H::Gestures, true, false, false, true), 96,
         {{'P', 0}, {'M', 10, 0, -40}, {'M', 20, 0, -39}, {'M', 30, 0, -1}, {'R', 50}}, "Up Up "},
        {"drag to scroll: 20 pixels a notch, down scrolls down, locked to the first axis",
         with(H::DragScroll, false), 96, {{'P', 0}, {'M', 10, 0, 40}, {'M', 20, 30, 19},
         {'M', 30, 0, 1}, {'M', 40, 0, -45}, {'R', 50}}, "wheel-120 wheel240 "},
        {"a layer button pressed again within 350 ms of a tap is its own button, at 350 its layer",
         with(H::Layer, true), 96, {{'P', 0}, {'R', 900}, {'P', 1249}, {'M', 1250, 300}, {'R', 1300},
         {'P', 1400}, {'R', 1450}, {'P', 1800}, {'R', 1850}},
         "Activation Release pass pass Activation Release Activation Release "},
        {"a layer button moved the distance replays its own press", with(H::Layer, true), 96,
         {{'P', 0}, {'M', 10, 0, 39}, {'M', 20, -40, 0}, {'R', 900}},
         "Activation down OwnDrag up Release "},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TriggerMachine m;
        TriggerConfig config;
        config.buttons.of(MouseButton::Right) = c.triggers;
        config.dpi = c.dpi;
        m.configure(config);
        std::string all;
        for (const Input& in : c.inputs) {
            const Tick at = Tick(0) - 256 + in.at;
            const bool button = in.kind == 'P' || in.kind == 'R';
            all += told(button ? m.onButton(MouseButton::Right, in.kind == 'P', 500, 500, at,
                                            SlotSet{Slot::R})
                        : in.kind == 'M' ? m.onMove(500 + in.dx, 500 + in.dy)
                                         : m.due(at),
                        button);
        }
        EXPECT_EQ(all, c.expected);
    }
}

// A held layer starts or ends, a profile switches: the triggers change in
// the middle of a press, and only the buttons whose own row changed let go.
TEST(TriggerMachine, NewSettingsLeaveAHeldButtonWhoseRowStaysAsItWas) {
    TriggerMachine m;
    TriggerConfig config;
    config.buttons.of(MouseButton::Right).hold = HoldUse::Layer;
    m.configure(config);
    EXPECT_EQ(told(m.onButton(MouseButton::Right, true, 0, 0, 0, SlotSet::all()), true),
              "Activation ");
    config.buttons.of(MouseButton::Forward).longPress = true;
    EXPECT_EQ(told(m.configure(config), false), "");
    EXPECT_EQ(told(m.onButton(MouseButton::Right, false, 0, 0, 900, SlotSet::all()), true),
              "Release ");
    m.onButton(MouseButton::Right, true, 0, 0, 2000, SlotSet::all());
    config.buttons.of(MouseButton::Right).hold = HoldUse::Gestures;
    EXPECT_EQ(told(m.configure(config), false), "Release ") << "its own row changed: let go";
}

}  // namespace
}  // namespace vela::hooks
