#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hooks/MousePipeline.h"

namespace vela::hooks {
namespace {

constexpr std::string_view kButtonLetters = "LRMBF";  // Left Right Middle Back Forward

// "L50 F30 rev x3 filter": chatter per button, the wheel reversed (vertical),
// its notches, its bounce filter.
MouseTuning tuning(std::string_view settings) {
    MouseTuning t;
    std::istringstream in{std::string(settings)};
    for (std::string token; in >> token;) {
        if (token == "rev") t.reverseVertical = true;
        if (token == "filter") t.wheelBounceFilter = true;
        if (token[0] == 'x') t.wheelNotches = std::stoi(token.substr(1));
        if (const auto b = kButtonLetters.find(token[0]);
            b != std::string_view::npos && token.size() > 1)
            t.chatter[b] = {true, std::stoi(token.substr(1))};
    }
    return t;
}

SlotSet slots(std::string_view names) {
    SlotSet set;
    std::istringstream in{std::string(names)};
    for (std::string name; in >> name;)
        for (const SlotInfo& info : kSlotTable)
            if (info.name == name) set.add(info.slot);
    return set;
}

MouseInput buttonInput(char letter, bool down) {
    switch (letter) {
        case 'L':
            return {down ? MouseEventKind::LeftDown : MouseEventKind::LeftUp};
        case 'R':
            return {down ? MouseEventKind::RightDown : MouseEventKind::RightUp};
        case 'M':
            return {down ? MouseEventKind::MiddleDown : MouseEventKind::MiddleUp};
        default:
            return {down ? MouseEventKind::XDown : MouseEventKind::XUp,
                    letter == 'B' ? kPlatformXButton1 : kPlatformXButton2};
    }
}

// What the hook does besides letting the event through or not: "^X1" a
// release reported (a held one first, then the event's), ":X1" or ":WUx2"
// activations, "=[L- R+ w+360]" sent, "#" bounce counts changed.
std::string describe(const MouseOutcome& o) {
    std::ostringstream out;
    if (o.released.reportSlot) out << '^' << slotInfo(*o.released.reportSlot).name;
    if (const auto& slot = o.verdict.reportSlot) {
        out << (o.verdict.release ? '^' : ':') << slotInfo(*slot).name;
        if (o.verdict.reports > 1) out << 'x' << o.verdict.reports;
    }
    if (!o.send.empty()) {
        out << "=[";
        for (const MouseSend& s : o.send) {
            if (&s != o.send.begin()) out << ' ';
            if (s.kind == MouseSend::Kind::Button)
                out << kButtonLetters[indexOf(s.button)] << (s.down ? '+' : '-');
            else
                out << (s.horizontal ? 'h' : 'w') << std::showpos << s.delta << std::noshowpos;
        }
        out << ']';
    }
    if (o.counted) out << '#';
    return out.str();
}

// Feeds "L+0 F-40 w+120@50 h-120@60 iL+70 !80" (a button's press or release
// at a time; a wheel or tilt delta at a time; "i" injected; "!" the hooks put
// back), the release timer firing when the pipeline asks ("@136" and what it
// did). An event the hook swallows is in brackets.
std::string run(MousePipeline& p, std::string_view events, SlotSet installed) {
    std::ostringstream out;
    const auto fireUntil = [&](Tick t, bool always) {
        const std::optional<Tick> at = p.nextDue();
        if (at && (always || *at < t)) out << " @" << *at << describe(p.due(*at, installed));
    };
    std::istringstream in{std::string(events)};
    for (std::string token; in >> token;) {
        const bool injected = token[0] == 'i';
        const std::string e = token.substr(injected ? 1 : 0);
        const std::size_t at = e.find('@');
        const Tick t = Tick(std::stoul(at != std::string::npos ? e.substr(at + 1)
                                       : e[0] == '!'           ? e.substr(1)
                                                               : e.substr(2)));
        fireUntil(t, false);
        if (e[0] == '!') {
            out << " !" << t << describe(p.reset(installed));
            continue;
        }
        MouseInput in;
        if (e[0] == 'w' || e[0] == 'h') {
            in.kind = e[0] == 'w' ? MouseEventKind::Wheel : MouseEventKind::TiltWheel;
            in.wheelDelta = std::stoi(e.substr(1, at - 1));
        } else {
            in = buttonInput(e[0], e[1] == '+');
        }
        in.injected = injected;
        const MouseOutcome o = p.onEvent(in, t, installed);
        const std::string shown = token.substr(0, token.find('@'));
        out << ' ' << (o.swallow ? "(" + shown + ")" : shown) << describe(o);
    }
    fireUntil(0, true);
    return out.str().substr(1);
}

TEST(MousePipeline, TheFiltersBeforeTheRemappingTheShapingAfterIt) {
    struct Case {
        const char* name;
        const char* settings;
        const char* installed;
        const char* events;
        const char* expected;
    };
    const std::vector<Case> cases{
        {"a remapped button's bounce fires it once; its release reported when due", "F50", "X1",
         "F+0 F-40 F+48 F-120", "(F+0):X1 (F-40) (F+48)# (F-120) @136^X1"},
        {"a native button's held release is sent when due", "L50", "", "L+0 L-40 L+48 L-120",
         "L+0 (L-40) (L+48)# (L-120) @136=[L-]"},
        {"another button in the window: the release first, the press sent after it", "L50", "",
         "L+0 L-40 R+45 R-60", "L+0 (L-40) (R+45)=[L- R+] R-60"},
        {"a remapped press in the window: reported, the release sent", "L50", "X1",
         "L+0 L-40 F+45 F-60", "L+0 (L-40) (F+45):X1=[L-] (F-60)^X1"},
        {"a remapped release held: reported, then the other button as it is", "F50", "X1",
         "F+0 F-40 L+45 L-60", "(F+0):X1 (F-40) L+45^X1 L-60"},
        {"hooks put back: the held release goes through the remapping", "F50", "X1",
         "F+0 F-40 !44 F+48 F-120", "(F+0):X1 (F-40) !44^X1 (F+48):X1 (F-120) @136^X1"},
        {"reversed, three notches: a remapped notch fires once, a native one is shaped", "rev x3",
         "WU", "w+120@0 w-120@200 h+120@300", "(w+120):WU (w-120)=[w+360] (h+120)=[h+360]"},
        {"a stray notch is dropped before the remapping sees it", "filter", "WU",
         "w-120@0 w+120@10 w-120@20", "w-120 (w+120)# w-120"},
        {"a turn back takes the dropped notch along", "filter x2", "WU",
         "w-120@0 w+120@10 w+120@20", "(w-120)=[w-240] (w+120)# (w+120):WUx2#"},
        {"injected input passes untouched", "L50 rev x3 filter", "X1 WU",
         "iL+0 iL-1 iw+120@2 iF+3 iF-4", "iL+0 iL-1 iw+120 iF+3 iF-4"},
        {"all off: the remapping alone", "", "X1 WU", "F+0 F-40 F+48 F-120 w+120@200 L+300",
         "(F+0):X1 (F-40)^X1 (F+48):X1 (F-120)^X1 (w+120):WU L+300"},
    };
    for (const Case& c : cases) {
        MousePipeline p;
        p.configure(tuning(c.settings), slots(c.installed));
        EXPECT_EQ(run(p, c.events, slots(c.installed)), c.expected) << c.name;
    }
}

TEST(MousePipeline, NewSettingsLetAHeldReleaseGoAndCountsStay) {
    MousePipeline p;
    EXPECT_FALSE(p.tuned());
    p.configure(tuning("F50 filter"), slots("X1"));
    EXPECT_TRUE(p.tuned());
    EXPECT_EQ(run(p, "F+0 F-40 F+48 F-120 w-120@300 w+120@310", slots("X1")),
              "(F+0):X1 (F-40) (F+48)# (F-120) @136^X1 w-120 (w+120)#");
    p.onEvent(buttonInput('F', true), 400, slots("X1"));
    p.onEvent(buttonInput('F', false), 440, slots("X1"));
    EXPECT_TRUE(p.holdsRelease());
    EXPECT_EQ(describe(p.configure(tuning(""), slots("X1"))), "^X1");
    EXPECT_FALSE(p.holdsRelease());
    EXPECT_FALSE(p.tuned());
    BounceCounts counted;
    counted.buttons[indexOf(MouseButton::Forward)] = 1;
    counted.wheel = 1;
    EXPECT_EQ(p.bounces(), counted);
}

}  // namespace
}  // namespace vela::hooks
