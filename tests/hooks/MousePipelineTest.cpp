#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/PressPath.h"
#include "hooks/MousePipeline.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela::hooks {
namespace {

constexpr std::string_view kButtons = "LRMBF";  // Left Right Middle Back Forward
// Forward and wheel up are remapped; the rest goes to programs.
const SlotSet kInstalled{Slot::X1, Slot::WU};

// "L50 F50 rev x3 filter": chatter per button, the wheel reversed, its
// notches, its bounce filter.
MouseTuning tuning(std::string_view settings) {
    MouseTuning t;
    std::istringstream in{std::string(settings)};
    for (std::string w; in >> w;) {
        t.reverseVertical |= w == "rev";
        t.wheelBounceFilter |= w == "filter";
        if (w[0] == 'x') t.wheelNotches = std::stoi(w.substr(1));
        if (kButtons.find(w[0]) != std::string_view::npos)
            t.chatter[kButtons.find(w[0])] = {true, std::stoi(w.substr(1))};
    }
    return t;
}

// "^X1" a release reported (a held one's first), ":WUx2" activations,
// "=[L- R+ w+360]" sent by the hook, "#" the counts changed.
std::string describe(const MouseOutcome& o) {
    std::ostringstream out;
    if (o.released.reportSlot) out << '^' << slotInfo(*o.released.reportSlot).name;
    if (const auto& slot = o.verdict.reportSlot) {
        out << (o.verdict.release ? '^' : ':') << slotInfo(*slot).name;
        if (o.verdict.reports > 1) out << 'x' << o.verdict.reports;
    }
    for (const MouseSend& s : o.send) {
        out << (&s == o.send.begin() ? "=[" : " ");
        if (s.kind == MouseSend::Kind::Button) out << kButtons[indexOf(s.button)] << "-+"[s.down];
        if (s.kind == MouseSend::Kind::Wheel) out << "wh"[s.horizontal] << std::showpos << s.delta;
        out << std::noshowpos << (&s + 1 == o.send.end() ? "]" : "");
    }
    return out.str() + (o.counted ? "#" : "");
}

// "L+0", "F-40", "U50", "D60", "T70", "iL+80": a button's press or release,
// a notch up or down or a tilt right, at a time; "i" injected.
std::pair<MouseInput, Tick> eventOf(const std::string& token) {
    const std::string e = token.substr(token[0] == 'i');
    const std::size_t b = kButtons.find(e[0]);
    const Tick t = std::stoul(e.substr(b == std::string_view::npos ? 1 : 2));
    constexpr MouseEventKind kDown[] = {MouseEventKind::LeftDown, MouseEventKind::RightDown,
                                        MouseEventKind::MiddleDown, MouseEventKind::XDown,
                                        MouseEventKind::XDown};
    const MouseInput input =
        b != std::string_view::npos
            ? MouseInput{MouseEventKind(int(kDown[b]) + (e[1] == '-')),
                         b == 3   ? kXButton1
                         : b == 4 ? kXButton2
                                  : 0,
                         0, token[0] == 'i'}
            : MouseInput{e[0] == 'T' ? MouseEventKind::TiltWheel : MouseEventKind::Wheel, 0,
                         e[0] == 'D' ? -kNotch : kNotch, token[0] == 'i'};
    return {input, t};
}

// Feeds events as eventOf() spells them, "!90": the hooks put back, and
// "&95": the held release let go at once. The release timer fires when asked
// ("@136" and what it did); a swallowed event is in brackets.
std::string run(MousePipeline& p, std::string_view events) {
    std::ostringstream out;
    const auto fire = [&](std::optional<Tick> before) {
        const std::optional<Tick> at = p.nextDue();
        if (at && (!before || *at < *before))
            out << " @" << *at << describe(p.due(*at, kInstalled));
    };
    std::istringstream in{std::string(events)};
    for (std::string token; in >> token;) {
        if (token[0] == '!' || token[0] == '&') {
            fire(std::stoul(token.substr(1)));
            out << " " << token
                << describe(token[0] == '!' ? p.reset(kInstalled) : p.letGoNow(kInstalled));
            continue;
        }
        const auto [input, t] = eventOf(token);
        fire(t);
        const MouseOutcome o = p.onEvent(input, t, kInstalled);
        out << ' ' << (o.swallow ? "(" + token + ")" : token) << describe(o);
    }
    fire(std::nullopt);
    return out.str().substr(1);
}

// Configured, every filtered button with a bounce a second before 0: its
// release window is on.
MousePipeline primed(std::string_view settings) {
    MousePipeline p;
    p.configure(tuning(settings), kInstalled);
    for (char b : kButtons)
        if (tuning(settings).of(MouseButton(kButtons.find(b))).on)
            run(p, std::string{b, '+'} + "4294966296 " + b + "-4294966297 " + b + "+4294966298 " +
                       b + "-4294966299");
    return p;
}

TEST(MousePipeline, TheFiltersBeforeTheRemappingTheShapingAfterIt) {
    struct Case {
        const char* name;
        const char* settings;
        const char* events;
        const char* expected;
    };
    const std::vector<Case> cases{
        {"a remapped button's bounce fires it once; its release reported when due", "F50",
         "F+0 F-40 F+48 F-120", "(F+0):X1 (F-40) (F+48)# (F-120) @136^X1"},
        {"a native button's held release is sent when due", "L50", "L+0 L-40 L+48 L-120",
         "L+0 (L-40) (L+48)# (L-120) @136=[L-]"},
        {"another button in the window: the release first, the press sent after it", "L50",
         "L+0 L-40 R+45 R-60", "L+0 (L-40) (R+45)=[L- R+] R-60"},
        {"a remapped press in the window: reported, the release sent", "L50", "L+0 L-40 F+45 F-60",
         "L+0 (L-40) (F+45):X1=[L-] (F-60)^X1"},
        {"a remapped release held: reported, then the other button as it is", "F50",
         "F+0 F-40 L+45 L-60", "(F+0):X1 (F-40) L+45^X1 L-60"},
        {"hooks put back: the held release goes through the remapping", "F50",
         "F+0 F-40 !44 F+48 F-120", "(F+0):X1 (F-40) !44^X1 (F+48):X1 (F-120) @136^X1"},
        {"reversed, three notches: a remapped notch fires once, others are shaped", "rev x3",
         "U0 D200 T300", "(U0):WU (D200)=[w+360] (T300)=[h+360]"},
        {"a stray notch is dropped before the remapping sees it", "filter", "D0 U10 D20",
         "D0 (U10)# D20"},
        {"a turn back takes the dropped notch along", "filter x2", "D0 U10 U20",
         "(D0)=[w-240] (U10)# (U20):WUx2#"},
        {"let go at once: a native release sent (a bounce after it is still one), a remapped "
         "one reported",
         "L50 F50", "L+0 L-40 &44 L+48 L-120 F+200 F-240 &241",
         "L+0 (L-40) &44=[L-] (L+48)# (L-120) (F+200):X1 (F-240) &241^X1"},
        {"injected input passes untouched", "L50 rev x3 filter", "iL+0 iL-1 iU2 iF+3",
         "iL+0 iL-1 iU2 iF+3"},
        {"all off: the remapping alone", "", "F+0 F-40 F+48 F-120 U200 L+300",
         "(F+0):X1 (F-40)^X1 (F+48):X1 (F-120)^X1 (U200):WU L+300"},
    };
    for (const Case& c : cases) {
        MousePipeline p = primed(c.settings);
        EXPECT_EQ(run(p, c.events), c.expected) << c.name;
    }
    MousePipeline healthy;
    healthy.configure(tuning("L50"), kInstalled);
    EXPECT_EQ(run(healthy, "L+0 L-40 L+48 L-120 L+125 L-200"),
              "L+0 L-40 L+48# (L-120) (L+125)# (L-200) @216=[L-]")
        << "a healthy release goes at once; the first bounce passes, switches the window on";
}

TEST(MousePipeline, NewSettingsLetAHeldReleaseGoAndTheCountsStay) {
    MousePipeline p = primed("F50 filter");
    EXPECT_TRUE(p.tuned());
    run(p, "F+0 F-40 F+48 F-120 D300 U310");
    p.onEvent({MouseEventKind::XDown, kXButton2}, 400, kInstalled);
    p.onEvent({MouseEventKind::XUp, kXButton2}, 440, kInstalled);
    EXPECT_TRUE(p.holdsRelease());
    EXPECT_EQ(describe(p.configure(tuning(""), kInstalled)), "^X1");
    EXPECT_FALSE(p.holdsRelease() || p.tuned());
    EXPECT_EQ(p.bounces(), (BounceCounts{{0, 0, 0, 0, 1}, 1, {false, false, false, false, true}}));
}

// Vela as wired: the pipeline's outcome handed to the press path as the
// report window does, what the hook sends fed back as injected input; what
// the executor sends is recorded.
struct Vela final : ForegroundCheckPort {
    test::Recorder rec, engine;
    LayerEndingRelease letGo{rec, presses};
    PausableHooks hooks{engine, &letGo};
    SlotModel all{hooks, rec, rec, &letGo};
    OverlaySet overlays;
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor{all, {rec, rec, rec, rec, rec, &held}, playback};
    PressPath presses{all, overlays, hooks, &letGo, nullptr, executor, *this};
    MousePipeline pipe;
    std::wstring inFront;

    void checkForeground(bool) override { presses.profiles().foregroundChanged({inFront}); }
    WindowIdentity windowUnderPointer() override { return {inFront}; }
    void clickSeen() override {}
    SlotSet installed() const {
        SlotSet in;
        for (const SlotInfo& info : kSlotTable)
            if (hooks.hooked(info.slot)) in.add(info.slot);
        return in;
    }
    void handle(const MouseOutcome& o, Tick t) {
        for (const Verdict& v : {o.released, o.verdict}) {
            if (v.reportSlot && v.release) presses.released(*v.reportSlot, t);
            for (int i = 0; v.reportSlot && !v.release && i < v.reports; ++i)
                presses.pressed(*v.reportSlot, v.detail, t);
        }
        for (const MouseSend& s : o.send) {
            const std::string sent =
                s.kind == MouseSend::Kind::Wheel
                    ? std::string(s.horizontal ? "iT" : "iU")
                    : std::string{'i', kButtons[indexOf(s.button)], "-+"[s.down]};
            handle(pipe.onEvent(eventOf(sent + std::to_string(t)).first, t, installed()), t);
        }
        if (o.otherInput) presses.otherInput();
    }
    void feed(std::string_view events) {
        std::istringstream in{std::string(events)};
        for (std::string token; in >> token;) {
            const auto [input, t] = eventOf(token);
            if (const std::optional<Tick> due = pipe.nextDue(); due && *due <= t)
                handle(pipe.due(*due, installed()), *due);
            handle(pipe.onEvent(input, t, installed()), t);
        }
    }
};

// Back as a layer button, nothing else remapped: how many taps of Back came
// out.
int taps(std::string_view settings, std::string_view events) {
    Vela vela;
    vela.all.assign(Slot::X2, L"Layer", action::LayerWhileHeld{});
    vela.overlays.add(LayerKey{Slot::X2});
    vela.pipe.configure(tuning(settings), vela.installed());
    vela.feed(events);
    int taps = 0;
    for (const InputRecord& r : vela.rec.records()) taps += r.flags & mouseflag::XDown ? 1 : 0;
    return taps;
}

// Only input begun while Back is held spoils its tap, however late the
// chatter filter lets a release go. Filtered rows start with a bounce, so
// that the left button's release window is on.
TEST(MousePipeline, OnlyInputBegunDuringALayerButtonsHoldSpoilsItsTap) {
    const auto leftUpBeforeBack = [](int ms) {
        return "L+900 L-" + std::to_string(1000 - ms) + " B+1000 B-1100";
    };
    const std::pair<std::string, int> rows[] = {
        {leftUpBeforeBack(2), 1},
        {leftUpBeforeBack(10), 1},
        {leftUpBeforeBack(15), 1},
        {leftUpBeforeBack(17), 1},
        {leftUpBeforeBack(30), 1},
        {"L+990 B+1000 L-1050 B-1100", 1},  // pressed before, let go during the hold
        {"B+1000 L+1020 L-1050 B-1100", 0},
        {"B+1000 R+1020 R-1050 B-1100", 0},
        {"B+1000 M+1020 M-1050 B-1100", 0},
        {"B+1000 F+1020 F-1050 B-1100", 0},  // a button the layer does not set
        {"B+1000 U1020 B-1100", 0},
        {"B+1000 T1020 B-1100", 0},
        {"B+1000 B-1100", 1},
    };
    for (const auto& [events, want] : rows) {
        EXPECT_EQ(taps("", events), want) << events;
        EXPECT_EQ(taps("L16", "L+0 L-50 L+55 L-120 " + events), want) << events << ", filtered";
    }
}

std::vector<InputRecord> ctrl(std::uint16_t vk) {
    return {test::key(vk::Control, false), test::key(vk, false), test::key(vk, true),
            test::key(vk::Control, true)};
}

// A physical event in, the records that reach the system out.
TEST(PressOutcome, AMouseEventReachesTheSystemAsTheOverlayInFrontSaysOnce) {
    // Forward pastes, and copies in Notepad's profile: Notepad came forward
    // unseen, the press looks before it looks its function up.
    for (const auto& [program, want] :
         {std::pair{L"notepad.exe", ctrl('C')}, std::pair{L"explorer.exe", ctrl('V')}}) {
        Vela vela;
        vela.all.assign(Slot::X1, L"Paste", action::Key{ChordModifier::Control, 'V'});
        ButtonAssignment& copy = *(vela.overlays.add(ProgramKey{L"notepad.exe"}).slots[Slot::X1] =
                                       vela.all.at(Slot::X1));
        copy.action = action::Key{ChordModifier::Control, 'C'};
        vela.inFront = program;
        vela.feed("F+1000 F-1080");
        EXPECT_EQ(vela.rec.records(), want);
    }
    // Back holds a layer whose wheel turns the volume up; the notch spoils
    // Back's tap, and after the layer the wheel scrolls.
    Vela vela;
    vela.all.assign(Slot::X2, L"Layer", action::LayerWhileHeld{});
    vela.all.assign(Slot::WU, L"Volume", action::Key{ChordModifier::None, 0xAF});
    vela.overlays.add(LayerKey{Slot::X2}).slots[Slot::WU] = vela.all.at(Slot::WU);
    vela.all.at(Slot::WU).remapped = false;
    vela.all.followRemapped(Slot::WU);
    vela.feed("B+1000 U1040 B-1100 U1140");
    EXPECT_EQ(vela.rec.records(), (std::vector{test::extended(test::key(0xAF, false)),
                                               test::extended(test::key(0xAF, true))}));
}

}  // namespace
}  // namespace vela::hooks

namespace vela::hooks {
namespace {

TEST(MousePipeline, AButtonWithTriggersIsTheMachinesFromPressToItsHeldRelease) {
    MousePipeline p = primed("F50");
    TriggerConfig triggers;
    triggers.buttons.of(MouseButton::Forward).hold = HoldUse::Gestures;
    p.configureTriggers(triggers, kInstalled);
    const auto feed = [&](MouseEventKind kind, int y, Tick time) {
        MouseInput in{kind, kind == MouseEventKind::Move ? 0 : kXButton2};
        in.x = 100, in.y = y;
        return p.onEvent(in, time, kInstalled);
    };
    EXPECT_FALSE(feed(MouseEventKind::Move, 9, 0).swallow) << "no button held: moves pass";
    const MouseOutcome press = feed(MouseEventKind::XDown, 100, 10);
    EXPECT_TRUE(press.swallow && press.fired.empty() && !press.verdict.reportSlot);
    const MouseOutcome up = feed(MouseEventKind::Move, 60, 20);
    EXPECT_TRUE(up.swallow && up.fired.size() == 1 &&
                up.fired[0] == (Fired{TriggerFire::GestureUp, Slot::X1}));
    // The release waits in the chatter filter's window, then ends the gesture quietly.
    EXPECT_TRUE(feed(MouseEventKind::XUp, 100, 30).swallow);
    const MouseOutcome due = p.due(*p.nextDue(), kInstalled);
    EXPECT_TRUE(due.fired.empty() && due.send.empty() && !due.released.reportSlot);
    EXPECT_FALSE(p.holdsRelease() || p.tracksMoves());
}

}  // namespace
}  // namespace vela::hooks
