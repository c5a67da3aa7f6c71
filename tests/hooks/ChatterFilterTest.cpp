#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hooks/ChatterFilter.h"

namespace vela::hooks {
namespace {

constexpr std::string_view kButtonLetters = "LRMBF";  // Left Right Middle Back Forward

// "L50 R20": the buttons filtered and their thresholds.
MouseTuning chatterTuning(std::string_view settings) {
    MouseTuning t;
    std::istringstream in{std::string(settings)};
    for (std::string token; in >> token;) {
        t.chatter[kButtonLetters.find(token[0])] = {true, std::stoi(token.substr(1))};
    }
    return t;
}

struct Seen {
    char button;
    bool down;
    Tick time;  // from the row's base
    char what;  // 'p' passed, 's' swallowed, 'r' a release the filter sent
    bool injected;
};

// Feeds events such as "L+0 L-40 iR+42 !44" (button, press or release, time
// from `base`; "i" injected; "!" a reset; "~" the timer at that time) with
// the hook thread's timer firing when the filter asks, or only after the last
// event.
std::vector<Seen> runChatter(ChatterFilter& f, std::string_view events, Tick base, bool timer) {
    std::vector<Seen> out;
    const auto sent = [&](std::optional<MouseButton> b, Tick at) {
        if (b) out.push_back({kButtonLetters[indexOf(*b)], false, at - base, 'r', false});
    };
    const auto fireUntil = [&](Tick t) {
        const std::optional<Tick> at = f.nextDue();
        if (at && Tick(*at - base) < Tick(t - base)) sent(f.due(*at), *at);
    };
    std::istringstream in{std::string(events)};
    for (std::string token; in >> token;) {
        const bool injected = token[0] == 'i';
        const std::string_view e = std::string_view(token).substr(injected ? 1 : 0);
        const bool reset = e[0] == '!', tick = e[0] == '~';
        const Tick t = base + Tick(std::stoll(std::string(e.substr(reset || tick ? 1 : 2))));
        if (timer && !tick) fireUntil(t);
        if (reset || tick) {
            sent(reset ? f.reset() : f.due(t), t);
            continue;
        }
        const bool down = e[1] == '+';
        const ChatterVerdict v =
            f.onEvent({MouseButton(kButtonLetters.find(e[0])), down, t, injected});
        sent(v.releaseFirst, t);
        out.push_back({e[0], down, t - base, v.swallow ? 's' : 'p', injected});
    }
    fireUntil(base - 1);
    return out;
}

// A bounce a second before `base` on every filtered button: its window is on.
void prime(ChatterFilter& f, std::string_view settings, Tick base) {
    std::string events;
    std::istringstream in{std::string(settings)};
    for (std::string token; in >> token;)
        for (const char* edge : {"+-1000 ", "--999 ", "+-998 ", "--997 "})
            events += token[0] + std::string(edge);
    runChatter(f, events, base, true);
}

// "L+0" passed, "(L-40)" swallowed, "L-@56" a release the filter sent at 56;
// then "#L1": the bounces counted, and "*L": the windows on.
std::string describe(const std::vector<Seen>& seen, const ChatterFilter& f, bool windows) {
    std::ostringstream out;
    for (const Seen& s : seen) {
        const std::string e = (s.injected ? "i" : "") + std::string(1, s.button) +
                              (s.what == 'r' ? "-@"
                               : s.down      ? "+"
                                             : "-") +
                              std::to_string(s.time);
        out << (s.what == 's' ? "(" + e + ")" : e) << ' ';
    }
    for (std::size_t b = 0; b < kMouseButtonCount; ++b) {
        if (const auto n = f.bounces(MouseButton(b))) out << '#' << kButtonLetters[b] << n << ' ';
    }
    for (std::size_t b = 0; b < kMouseButtonCount && windows; ++b)
        if (f.releaseWindowOn(MouseButton(b))) out << '*' << kButtonLetters[b] << ' ';
    std::string text = out.str();
    if (!text.empty()) text.pop_back();
    return text;
}

struct ChatterCase {
    const char* name;
    const char* settings;
    const char* events;
    const char* expected;
    Tick base = 0;
    bool timer = true;
};

// A worn switch: each filtered button has bounced once already.
TEST(ChatterFilter, TimedSequences) {
    const std::vector<ChatterCase> cases{
        {"press bounce: one click", "L50", "L+0 L-40 L+48 L-120",
         "L+0 (L-40) (L+48) (L-120) L-@136 #L1"},
        {"release bounce in a 300 ms hold: the hold goes on", "L50", "L+0 L-150 L+158 L-300",
         "L+0 (L-150) (L+158) (L-300) L-@316 #L1"},
        {"bounce after the window: one click, ended early", "L50", "L+0 L-100 L+130 L-135",
         "L+0 (L-100) L-@116 (L+130) (L-135) #L1"},
        {"double click 90 ms apart", "L50", "L+0 L-60 L+150 L-210",
         "L+0 (L-60) L-@76 L+150 (L-210) L-@226"},
        {"a press at the threshold is a bounce", "L50", "L+0 L-60 L+110 L-130",
         "L+0 (L-60) L-@76 (L+110) (L-130) #L1"},
        {"one past the threshold is a click", "L50", "L+0 L-60 L+111 L-130",
         "L+0 (L-60) L-@76 L+111 (L-130) L-@146"},
        {"filter off: everything as it comes", "", "L+0 L-40 L+48 L-120", "L+0 L-40 L+48 L-120"},
        {"thresholds per button", "L20 R60", "L+0 L-40 L+80 L-100 R+200 R-240 R+280 R-300",
         "L+0 (L-40) L-@56 L+80 (L-100) L-@116 R+200 (R-240) R-@256 (R+280) (R-300) #R1"},
        {"side buttons; a threshold under the window shortens it", "B30 F10",
         "B+0 B-40 B+75 F+100 F-120 F+125 F-140 F+160",
         "B+0 (B-40) B-@56 B+75 F+100 (F-120) (F+125) (F-140) F-@150 F+160 #F1"},
        {"two buttons keep their order", "L50 R50", "L+0 R+5 L-40 R-45 L+50 L-52",
         "L+0 R+5 (L-40) L-@45 (R-45) R-@50 (L+50) (L-52) #L1"},
        {"tick count wraps in a bounce", "L50", "L+0 L-40 L+48 L-120",
         "L+0 (L-40) (L+48) (L-120) L-@136 #L1", 0xFFFF'FFD4},
        {"tick count wraps in a double click", "L50", "L+0 L-60 L+150 L-210",
         "L+0 (L-60) L-@76 L+150 (L-210) L-@226", 0xFFFF'FFBC},
        {"a click 25 days after the last", "L50", "L+0 L-40 L+2200000000 L-2200000040",
         "L+0 (L-40) L-@56 L+2200000000 (L-2200000040) L-@2200000056"},
        {"a timer whose clock is behind the event's stamp", "L50", "L+0 L-40 ~39 L+48 L-120",
         "L+0 (L-40) (L+48) (L-120) L-@136 #L1"},
        {"late timer, a press within the threshold: the hold goes on", "L50", "L+0 L-40 L+75",
         "L+0 (L-40) (L+75) #L1", 0, false},
        {"late timer, a press past it: the release goes first", "L50", "L+0 L-40 L+100",
         "L+0 (L-40) L-@100 L+100", 0, false},
        {"reset hands back the held release", "L50", "L+0 L-40 !44 L+48 L-120",
         "L+0 (L-40) L-@44 L+48 (L-120) L-@136"},
        {"reset while down: the release passes", "L50", "L+0 L-40 L+48 !50 L-120",
         "L+0 (L-40) (L+48) L-120 #L1"},
        {"a press from before the filter: its release passes", "L50", "L-40 L+60 L-100",
         "L-40 (L+60) (L-100) #L1"},
        {"injected events pass and change nothing", "L50", "L+0 L-40 iR+42 iL-43 L+48 L-120",
         "L+0 (L-40) iR+42 iL-43 (L+48) (L-120) L-@136 #L1"},
    };
    for (const ChatterCase& c : cases) {
        ChatterFilter f;
        f.configure(chatterTuning(c.settings));
        prime(f, c.settings, c.base);
        EXPECT_EQ(describe(runChatter(f, c.events, c.base, c.timer), f, false), c.expected)
            << c.name;
    }
}

// A healthy switch: no release waits until the button's first bounce, which
// passes and switches the window on for good.
TEST(ChatterFilter, AReleaseWindowComesOnWithTheButtonsFirstBounce) {
    const std::vector<ChatterCase> cases{
        {"healthy: releases pass at once", "L50", "L+0 L-40 L+150 L-210", "L+0 L-40 L+150 L-210"},
        {"first bounce in a drag passes, the next is dropped", "L50",
         "L+0 L-150 L+158 L-300 L+305 L-400",
         "L+0 L-150 L+158 (L-300) (L+305) (L-400) L-@416 #L1 *L"},
        {"a bounce at the window's length switches it on; one past it is swallowed", "L50 R50",
         "L+0 L-100 L+116 L-150 R+200 R-300 R+317 R-330",
         "L+0 L-100 L+116 (L-150) L-@166 R+200 R-300 (R+317) (R-330) #R1 *L"},
        {"a reset keeps the window on", "L50", "L+0 L-100 L+105 !110 L+300 L-340",
         "L+0 L-100 L+105 L+300 (L-340) L-@356 *L"},
    };
    for (const ChatterCase& c : cases) {
        ChatterFilter f;
        f.configure(chatterTuning(c.settings));
        EXPECT_EQ(describe(runChatter(f, c.events, 0, true), f, true), c.expected) << c.name;
    }
}

// Random presses and releases of all five buttons, gaps mostly near the
// thresholds: per button the program sees down and up alternate, and nothing
// down at the end; a press is swallowed only within its threshold after the
// button's release (any other passes at once); a release reaches the program
// at most one window after the switch let go.
TEST(ChatterFilter, RandomSequencesStayWellFormedAndNeverHoldUpAGenuinePress) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 3000; ++round) {
        std::array<int, kMouseButtonCount> thresholds{};
        std::string settings, events;
        for (std::size_t b = 0; b < kMouseButtonCount; ++b) {
            if (rng() % 3 == 0) continue;
            thresholds[b] = kMinChatterMs + int(rng() % (kMaxChatterMs - kMinChatterMs + 1));
            settings += kButtonLetters[b] + std::to_string(thresholds[b]) + ' ';
        }
        std::array<bool, kMouseButtonCount> down{}, seen{};
        Tick t = 0;
        for (int i = 0; i < 60 || std::find(down.begin(), down.end(), true) != down.end(); ++i) {
            t += rng() % 4 == 0 ? rng() % 300 : rng() % 70;
            const std::size_t b = i < 60 ? rng() % kMouseButtonCount
                                         : std::find(down.begin(), down.end(), true) - down.begin();
            down[b] = !down[b];
            events +=
                kButtonLetters[b] + std::string(down[b] ? "+" : "-") + std::to_string(t) + ' ';
        }
        ChatterFilter f;
        f.configure(chatterTuning(settings));
        std::array<std::optional<Tick>, kMouseButtonCount> lastUp{};
        for (const Seen& s : runChatter(f, events, Tick(rng()), true)) {
            const std::size_t b = kButtonLetters.find(s.button);
            if (s.what != 'r' && !s.down) lastUp[b] = s.time;
            if (s.what == 's' && s.down) {
                ASSERT_TRUE(lastUp[b] && s.time - *lastUp[b] <= Tick(thresholds[b]))
                    << settings << events;
            }
            if (s.what == 's') continue;
            ASSERT_NE(seen[b], s.down) << settings << events;
            seen[b] = s.down;
            const Tick window = std::min<Tick>(kReleaseWindowMs, thresholds[b]);
            if (!s.down) {
                ASSERT_LE(s.time - *lastUp[b], window) << settings << events;
            }
        }
        ASSERT_EQ(seen, decltype(seen){}) << settings << events;
    }
}

}  // namespace
}  // namespace vela::hooks
