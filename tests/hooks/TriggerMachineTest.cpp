// The trigger machine over random presses, releases, moves, other input,
// resets and timer ticks of random settings, starting just before the tick
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
    bool down = false;      // physically
    bool sentDown = false;  // as the program sees the hook's own sends
    bool taken = false;     // the press was the machine's
    bool activated = false;
    int gestures = 0;
    std::optional<TriggerFire> gesture;
};

Seen pressed(bool sentDown) {
    Seen s;
    s.down = true;
    s.sentDown = sentDown;
    return s;
}

class TriggerRun {
public:
    explicit TriggerRun(unsigned seed) : rng_(seed) {
        TriggerConfig c;
        for (MouseButton b : kTriggerButtons) {
            ButtonTriggers& t = c.buttons.of(b);
            t.hold = HoldUse(pick(4));
            for (bool& r : t.repeat) r = pick(2);
            t.ownClick = pick(2), t.axisLock = pick(2), t.doubleClick = pick(2);
            t.longPress = pick(2);
            t.scrollSpeed = std::uint16_t(50 + pick(300));
        }
        c.dpi = 96 + 48 * pick(3);
        c.doubleClickMs = 200 + pick(600);
        machine_.configure(c);
    }

    void step() {
        const MouseButton b = kTriggerButtons[pick(4)];
        Seen& s = seen_[indexOf(b)];
        switch (pick(8)) {
            case 0:
            case 1:  // the button goes the other way
                s.down = !s.down;
                if (s.down) s = pressed(s.sentDown);
                check(b, machine_.onButton(b, s.down, x_, y_, now_, installed_), s.down);
                break;
            case 2:
            case 3: {  // the pointer moves; it stays where it was when swallowed
                const int far = pick(10) == 0 ? 400 : 40;
                const int nx = x_ + int(pick(2 * far)) - far, ny = y_ + int(pick(2 * far)) - far;
                const bool held = anyHeldPointer();
                TriggerOutcome out;
                if (machine_.tracksMoves()) out = machine_.onMove(nx, ny);
                ASSERT_TRUE(out.swallow || !held) << "a move of a held gesture reached programs";
                if (!out.swallow) x_ = nx, y_ = ny;
                check(std::nullopt, out, false);
                break;
            }
            case 4:
                now_ += pick(900);
                while (machine_.nextDue() && std::int32_t(now_ - *machine_.nextDue()) >= 0)
                    check(std::nullopt, machine_.due(*machine_.nextDue()), false);
                break;
            case 5:
                machine_.onOtherInput(std::nullopt);
                break;
            case 6:
                installed_ = SlotSet(std::uint32_t(pick(32)));
                break;
            default:
                if (pick(8) == 0) {
                    check(std::nullopt, machine_.reset(), false);
                    for (Seen& each : seen_) {
                        ASSERT_FALSE(each.sentDown || each.activated);
                        each.taken = false;
                    }
                }
        }
    }

    void finish() {
        for (MouseButton b : kTriggerButtons)
            if (seen_[indexOf(b)].down)
                check(b, machine_.onButton(b, false, x_, y_, now_, installed_), false);
        now_ += 10000;
        check(std::nullopt, machine_.due(now_), false);
        for (const Seen& s : seen_) EXPECT_FALSE(s.sentDown || s.activated) << "left down";
        EXPECT_FALSE(machine_.holdsRelease() || machine_.tracksMoves());
    }

private:
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng_); }

    bool anyHeldPointer() const {
        for (MouseButton b : kTriggerButtons) {
            const HoldUse h = machine_.config().buttons.of(b).hold;
            const Seen& s = seen_[indexOf(b)];
            if (s.down && s.taken && (h == HoldUse::Gestures || h == HoldUse::DragScroll))
                return true;
        }
        return false;
    }

    // `event` is the button whose press (`down`) or release the outcome answers.
    void check(std::optional<MouseButton> event, const TriggerOutcome& out, bool down) {
        // A double click's second press is no gesture's.
        if (event && down)
            seen_[indexOf(*event)].taken =
                out.taken && (out.fired.empty() || out.fired[0].what != TriggerFire::DoubleClick);
        if (event && out.taken && !out.swallow) {  // only a layer button's own press passes
            ASSERT_EQ(machine_.config().buttons.of(*event).hold, HoldUse::Layer);
        }
        for (std::size_t i = 0; i < out.send.size(); ++i) {
            const MouseSend& send = out.send[i];
            Seen& s = seen_[indexOf(send.button)];
            if (send.kind == MouseSend::Kind::Wheel) {
                ASSERT_EQ(machine_.config().buttons.of(send.button).hold, HoldUse::DragScroll);
                continue;
            }
            ASSERT_NE(s.sentDown, send.down) << "a down without its up, or an up without a down";
            s.sentDown = send.down;
            // The button's own press goes out as a whole click, or as a drag begun.
            const bool clicked =
                i + 1 < out.send.size() &&
                out.send[i + 1] == MouseSend{MouseSend::Kind::Button, send.button, false};
            const bool dragged = std::any_of(out.fired.begin(), out.fired.end(), [](auto& f) {
                return f.what == TriggerFire::OwnDrag;
            });
            ASSERT_TRUE(!send.down || clicked || (dragged && s.down));
        }
        for (const Fired& f : out.fired) {
            const auto b = std::find_if(
                kTriggerButtons.begin(), kTriggerButtons.end(),
                [&](auto x) { return slotWatching(*buttonInfo(x).trigger) == f.slot; });
            Seen& s = seen_[indexOf(*b)];
            const bool click = f.what == TriggerFire::Activation || f.what == TriggerFire::Release;
            ASSERT_TRUE(s.down || click) << "fired after the release: " << int(f.what);
            if (click) {
                ASSERT_NE(s.activated, f.what == TriggerFire::Activation);
                s.activated = f.what == TriggerFire::Activation;
            } else if (f.what >= TriggerFire::GestureUp && f.what <= TriggerFire::GestureRight) {
                const ButtonTriggers& t = machine_.config().buttons.of(*b);
                ASSERT_TRUE(!s.gesture || *s.gesture == f.what) << "two directions in one press";
                ASSERT_TRUE(++s.gestures == 1 ||
                            t.repeat[int(f.what) - int(TriggerFire::GestureUp)]);
                s.gesture = f.what;
            }
        }
    }

    std::mt19937 rng_;
    TriggerMachine machine_;
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

}  // namespace
}  // namespace vela::hooks

namespace vela::hooks {
namespace {

// One input of a timing case, `at` milliseconds after the first press (made
// 256 ms before the tick count wraps); a move's step is (dx, dy).
struct Input {
    enum Kind { Press, Release, Move, Due } kind;
    Tick at = 0;
    int dx = 0, dy = 0;
};

struct TimingCase {
    const char* name;
    ButtonTriggers triggers;
    std::uint32_t dpi;
    std::vector<Input> inputs;
    const char* expected;  // what was sent, fired or passed, in order
};

ButtonTriggers with(HoldUse hold, bool ownClick, bool doubleClick = false, bool longPress = false) {
    ButtonTriggers t;
    t.hold = hold, t.ownClick = ownClick, t.doubleClick = doubleClick, t.longPress = longPress;
    return t;
}
ButtonTriggers repeating() {
    ButtonTriggers t = with(HoldUse::Gestures, true);
    t.repeat[0] = true;
    return t;
}

std::string told(const TriggerOutcome& out, bool button) {
    constexpr const char* kFires[] = {"Activation", "Release",   "Up",          "Down",   "Left",
                                      "Right",      "LongPress", "DoubleClick", "OwnDrag"};
    std::string s;
    if (button && out.taken && !out.swallow) s += "pass ";
    for (const MouseSend& m : out.send) {
        if (m.kind == MouseSend::Kind::Wheel)
            s += (m.horizontal ? "hwheel" : "wheel") + std::to_string(m.delta) + ' ';
        else
            s += m.down ? "down " : "up ";
    }
    for (const Fired& f : out.fired) s += std::string(kFires[int(f.what)]) + ' ';
    return s;
}

using enum Input::Kind;
const TimingCase kTimingCases[] = {
    {"no double click set: the click goes out at the release, nothing waits",
     with(HoldUse::Gestures, true),
     96,
     {{Press, 0}, {Due, 0}, {Release, 80}, {Due, 5000}},
     "down up "},
    {"long press at 600 ms, not at 599, across the wrap",
     with(HoldUse::None, false, false, true),
     96,
     {{Press, 0}, {Due, 599}, {Due, 600}, {Release, 700}},
     "LongPress "},
    {"a release before the long press time is the click",
     with(HoldUse::None, false, false, true),
     96,
     {{Press, 0}, {Release, 599}, {Due, 600}},
     "Activation Release "},
    {"second press within the double-click time: a double click and no click",
     with(HoldUse::None, false, true),
     96,
     {{Press, 0}, {Release, 50}, {Press, 549}, {Release, 600}, {Due, 5000}},
     "DoubleClick "},
    {"second press at the double-click time: two clicks",
     with(HoldUse::None, false, true),
     96,
     {{Press, 0}, {Release, 50}, {Due, 550}, {Press, 560}, {Release, 600}, {Due, 1100}},
     "Activation Release Activation Release "},
    {"a gesture fires at the distance, while held",
     with(HoldUse::Gestures, true),
     96,
     {{Press, 0}, {Move, 10, 0, -39}, {Move, 20, 0, -1}, {Move, 30, 0, -100}, {Release, 40}},
     "Up "},
    {"more than half across the axis is no gesture and no click",
     with(HoldUse::Gestures, true),
     96,
     {{Press, 0}, {Move, 10, 41, 21}, {Release, 40}},
     ""},
    {"half across is still a gesture",
     with(HoldUse::Gestures, false),
     96,
     {{Press, 0}, {Move, 10, -40, 20}, {Release, 40}},
     "Left "},
    {"at 144 DPI the distance is 60 pixels",
     with(HoldUse::Gestures, true),
     144,
     {{Press, 0}, {Move, 10, 59, 0}, {Move, 20, 1, 0}, {Release, 40}},
     "Right "},
    {"a repeating direction fires again each further distance",
     repeating(),
     96,
     {{Press, 0},
      {Move, 10, 0, -40},
      {Move, 20, 0, -39},
      {Move, 30, 0, -1},
      {Move, 40, 0, 30},
      {Release, 50}},
     "Up Up "},
    {"drag to scroll: 20 pixels a notch, down scrolls down, locked to the first axis",
     with(HoldUse::DragScroll, false),
     96,
     {{Press, 0},
      {Move, 10, 0, 40},
      {Move, 20, 30, 19},
      {Move, 30, 0, 1},
      {Move, 40, 0, -45},
      {Release, 50}},
     "wheel-120 wheel240 "},
    {"drag to scroll released unmoved gives the button's own click",
     with(HoldUse::DragScroll, false),
     96,
     {{Press, 0}, {Move, 10, 5, 5}, {Release, 900}},
     "down up "},
    {"a layer button pressed again soon after a tap is its own button",
     with(HoldUse::Layer, true),
     96,
     {{Press, 0}, {Release, 900}, {Press, 1249}, {Move, 1250, 300, 0}, {Release, 1300}},
     "Activation Release pass pass "},
    {"a layer button pressed again later is its layer again",
     with(HoldUse::Layer, true),
     96,
     {{Press, 0}, {Release, 100}, {Press, 450}, {Release, 500}},
     "Activation Release Activation Release "},
    {"a layer button moved the distance replays its own press",
     with(HoldUse::Layer, true),
     96,
     {{Press, 0}, {Move, 10, 0, 39}, {Move, 20, -40, 0}, {Release, 900}},
     "Activation down OwnDrag up Release "},
};

TEST(TriggerMachine, NamedTimings) {
    const Tick start = Tick(0) - 256;
    for (const TimingCase& c : kTimingCases) {
        SCOPED_TRACE(c.name);
        TriggerMachine machine;
        TriggerConfig config;
        config.buttons.of(MouseButton::Right) = c.triggers;
        config.dpi = c.dpi;
        machine.configure(config);
        std::string all;
        for (const Input& in : c.inputs) {
            const Tick at = start + in.at;
            const bool button = in.kind == Press || in.kind == Release;
            const TriggerOutcome out = button
                                           ? machine.onButton(MouseButton::Right, in.kind == Press,
                                                              500, 500, at, SlotSet{Slot::R})
                                       : in.kind == Move ? machine.onMove(500 + in.dx, 500 + in.dy)
                                                         : machine.due(at);
            all += told(out, button);
        }
        EXPECT_EQ(all, c.expected);
    }
}

}  // namespace
}  // namespace vela::hooks
