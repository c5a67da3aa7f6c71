#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hooks/WheelShaper.h"

namespace vela::hooks {
namespace {

// "reverse-v reverse-h x3 filter", any of them.
MouseTuning wheelTuning(std::string_view settings) {
    MouseTuning t;
    t.reverseVertical = settings.find("reverse-v") != std::string_view::npos;
    t.reverseHorizontal = settings.find("reverse-h") != std::string_view::npos;
    t.wheelBounceFilter = settings.find("filter") != std::string_view::npos;
    const std::size_t x = settings.find('x');
    if (x != std::string_view::npos)
        t.wheelNotches = std::stoi(std::string(settings.substr(x + 1)));
    return t;
}

// Feeds "+120@0 h-40@5 i+120@9" (delta at a time; "h" horizontal, "i"
// injected) and writes per event: the event itself when it passes, "x" when
// dropped, "=" and the deltas sent instead, after "{-240}" when the remapping
// is to see another delta than the event's.
std::string runWheel(WheelShaper& s, std::string_view events) {
    std::ostringstream out;
    std::istringstream in{std::string(events)};
    for (std::string token; in >> token;) {
        const std::size_t from = token.find_first_of("+-"), at = token.find('@');
        const std::string flags = token.substr(0, from), delta = token.substr(from, at - from);
        const WheelVerdict v = s.onWheel({std::stoi(delta), flags.find('h') != std::string::npos,
                                          Tick(std::stoul(token.substr(at + 1))), flags[0] == 'i'});
        out << (out.tellp() > 0 ? " " : "") << flags << std::showpos;
        if (v.action == WheelVerdict::Action::Pass) out << delta;
        if (v.action == WheelVerdict::Action::Drop) out << 'x';
        if (v.action != WheelVerdict::Action::Replace) continue;
        if (v.physical != std::stoi(delta)) out << '{' << v.physical << '}';
        out << '=';
        for (const int& piece : v.send) out << (&piece == v.send.begin() ? "" : ",") << piece;
    }
    return out.str();
}

TEST(WheelShaper, TimedSequences) {
    struct Case {
        const char* settings;
        const char* events;
        const char* expected;
        std::uint32_t bounces;
    };
    const std::vector<Case> cases{
        {"", "+120@0 -120@5 h+120@6 +30@7", "+120 -120 h+120 +30", 0},
        {"reverse-v", "+120@0 -40@5 h+120@6", "=-120 =+40 h+120", 0},
        {"reverse-h", "+120@0 h+120@6 h-15@7", "+120 h=-120 h=+15", 0},
        {"x3", "+120@0 -40@5 h+120@6", "=+360 =-120 h=+360", 0},
        // Programs get 16 bits: a larger delta goes out in pieces.
        {"reverse-v x10", "-32768@0",
         "=+32760,+32760,+32760,+32760,+32760,+32760,+32760,+32760,+32760,+32760,+80", 0},
        // A lone notch against the run, within the window (inclusive), is dropped.
        {"filter", "+120@0 +120@40 -120@60 +120@90", "+120 +120 x +120", 1},
        {"filter", "+120@0 -120@80 +120@100", "+120 x +120", 1},
        {"filter", "+120@0 -120@81", "+120 -120", 0},
        // Two against it are a turn, and take the first back.
        {"filter", "+120@0 -120@60 -120@100", "+120 x {-240}=-240", 0},
        {"filter", "+120@0 -40@10 -40@20 -40@30 +120@40", "+120 x x x +120", 1},
        {"filter", "+120@0 -40@10 -40@20 -40@30 -40@40", "+120 x x x {-160}=-160", 0},
        {"filter", "+120@0 h-120@10 -120@20", "+120 h-120 x", 1},
        {"filter reverse-v x3", "+120@0 -120@20 +120@40 -120@60 -120@70",
         "=-360 x =-360 x {-240}=+720", 1},
        {"filter reverse-v x3", "+120@0 i-120@10 -120@20", "=-360 i-120 x", 1},
        {"", "+120@0 -120@20 +120@40", "+120 -120 +120", 0},
        {"filter", "+120@4294967290 -120@20", "+120 x", 1},
    };
    for (const Case& c : cases) {
        WheelShaper s;
        s.configure(wheelTuning(c.settings));
        EXPECT_EQ(runWheel(s, c.events), c.expected) << c.settings << ": " << c.events;
        EXPECT_EQ(s.bounces(), c.bounces) << c.settings << ": " << c.events;
    }
}

// Steady runs in one direction with any deltas up to the largest, pauses
// between runs, and now and then one notch the other way inside a run: the
// runs are sent as turned, only reversed and multiplied, in pieces that fit
// 16 bits; each stray notch is dropped and counted.
TEST(WheelShaper, RunsAreOnlyShapedAndLoneNotchesAgainstThemDropped) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 500; ++round) {
        MouseTuning tuning;
        tuning.reverseVertical = rng() % 2 == 1;
        tuning.reverseHorizontal = rng() % 2 == 1;
        tuning.wheelNotches = 1 + int(rng() % kMaxWheelNotches);
        tuning.wheelBounceFilter = true;
        WheelShaper s;
        s.configure(tuning);
        Tick t = Tick(rng());
        std::uint32_t strays = 0;
        for (int run = 0; run < 8; ++run) {
            const int direction = rng() % 2 ? 1 : -1;
            const bool horizontal = rng() % 2;
            const bool reverse = horizontal ? tuning.reverseHorizontal : tuning.reverseVertical;
            t += kWheelBounceWindowMs + 1 + rng() % 500;
            for (int i = 0; i < 20; ++i) {
                if (i > 0 && rng() % 5 == 0) {
                    t += 1 + rng() % kWheelBounceWindowMs;
                    ASSERT_EQ(s.onWheel({-direction * kNotch, horizontal, t, false}).action,
                              WheelVerdict::Action::Drop);
                    ++strays;
                }
                t += rng() % (kWheelBounceWindowMs + 1);
                const int delta = direction * int(1 + rng() % (rng() % 8 ? 480 : 32767));
                const int expected = delta * tuning.wheelNotches * (reverse ? -1 : 1);
                const WheelVerdict v = s.onWheel({delta, horizontal, t, false});
                ASSERT_EQ(v.physical, delta);
                ASSERT_EQ(v.action, expected == delta ? WheelVerdict::Action::Pass
                                                      : WheelVerdict::Action::Replace);
                if (v.action == WheelVerdict::Action::Pass) continue;
                ASSERT_EQ(std::accumulate(v.send.begin(), v.send.end(), 0), expected);
                for (const int piece : v.send) {
                    ASSERT_LE(std::abs(piece), kMaxSentDelta);
                    ASSERT_EQ(piece > 0, expected > 0);
                }
            }
        }
        ASSERT_EQ(s.bounces(), strays);
    }
}

}  // namespace
}  // namespace vela::hooks
