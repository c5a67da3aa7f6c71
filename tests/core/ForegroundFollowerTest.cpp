// Following the program in front: when the window in front is looked at,
// and when its program is asked for and told.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/ForegroundFollower.h"
#include "tests/support/FakeForeground.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

using test::FakeForeground;
using test::Recorder;

constexpr int kTimer = 0x51;

class ForegroundFollowing : public ::testing::Test {
protected:
    FakeForeground platform;
    Recorder timers;
    ForegroundFollower follower{platform, timers, kTimer};
    std::vector<std::wstring> heard;
    std::optional<std::uint64_t> toldB;  // when b.exe was told, on the timers' clock

    void SetUp() override {
        platform.programs = {{1, L"a.exe"}, {2, L"b.exe"}, {3, L"c.exe"}};
        platform.front = 1;
    }
    void start() {
        follower.start([this](const WindowIdentity& window) {
            heard.push_back(window.program + (window.title.empty() ? L"" : L" " + window.title));
            if (window.program == L"b.exe" && !toldB) toldB = timers.now();
        });
    }
};

TEST_F(ForegroundFollowing, NothingIsLookedAtBeforeTheStartWhichTellsTheProgramInFrontAtOnce) {
    follower.clickSeen();
    EXPECT_FALSE(follower.check(true));
    EXPECT_EQ(timers.trace(), "");
    EXPECT_EQ(platform.namesAsked, 0);

    platform.front = 0;  // nothing in front: still told, as no program
    start();
    EXPECT_EQ(heard, std::vector<std::wstring>{L""});
}

// A window that renames itself in front (a browser's tab) is told only by a
// look that asks for titles, and its program is not asked for again.
TEST_F(ForegroundFollowing, OnlyAnotherWindowOrANewTitleIsToldAndOnlyANewWindowsProgramIsAsked) {
    start();
    struct Look {
        std::uintptr_t front;
        const wchar_t* title;
        bool titles;
        bool changed;
    };
    for (const Look& look :
         {Look{1, L"", false, false}, Look{2, L"", false, true}, Look{2, L"", true, false},
          Look{2, L"Mail", false, false}, Look{2, L"Mail", true, true},
          Look{2, L"Mail", true, false}, Look{3, L"", false, true}, Look{1, L"", true, true},
          Look{1, L"", false, false}}) {
        platform.front = look.front;
        platform.titles[look.front] = look.title;
        EXPECT_EQ(follower.check(look.titles), look.changed) << "window " << look.front;
    }
    EXPECT_EQ(heard,
              (std::vector<std::wstring>{L"a.exe", L"b.exe", L"b.exe Mail", L"c.exe", L"a.exe"}));
    EXPECT_EQ(platform.namesAsked, 4);
}

// A window that comes forward this long after the click is told at the
// first look from then on: now, or 5, 10, 20, 40, 80, 160 or 320 ms after
// the click; later than the last look, only the next signal tells it.
TEST_F(ForegroundFollowing, AfterAClickTheWindowInFrontIsLookedAtNowAndAtEachLookAfter) {
    struct Case {
        std::uint64_t forwardAfterMs;
        std::optional<std::uint64_t> toldAfterMs;
    };
    const Case cases[] = {{0, 0},   {3, 5},     {5, 5},     {7, 10},    {19, 20},  {21, 40},
                          {79, 80}, {150, 160}, {161, 320}, {320, 320}, {321, {}}, {900, {}}};
    for (const Case& c : cases) {
        FakeForeground fresh;
        fresh.programs = platform.programs;
        fresh.front = 1;
        Recorder clock;
        ForegroundFollower f(fresh, clock, kTimer);
        std::optional<std::uint64_t> toldAt;
        f.start([&](const WindowIdentity& window) {
            if (window.program == L"b.exe") toldAt = clock.now();
        });
        if (c.forwardAfterMs == 0) fresh.front = 2;
        f.clickSeen();
        for (std::uint64_t ms = 1; ms <= 1000; ++ms) {
            if (ms == c.forwardAfterMs) fresh.front = 2;  // before a look due now
            clock.advance(1, [&](int id) { f.onTimer(id); });
        }
        EXPECT_EQ(toldAt, c.toldAfterMs) << "forward after " << c.forwardAfterMs << " ms";
        EXPECT_TRUE(clock.running().empty()) << "the looks end";
    }
}

TEST_F(ForegroundFollowing, AClickDuringTheLooksStartsThemAgainAndOtherTimersAreNotTheirs) {
    start();
    follower.clickSeen();
    for (std::uint64_t ms = 0; ms < 1000; ++ms) {
        if (ms == 100) follower.clickSeen();  // looks again at 100, 105, ... 420
        if (ms == 400) platform.front = 2;    // after the first click's last look
        timers.advance(1, [this](int id) { EXPECT_TRUE(follower.onTimer(id)); });
    }
    EXPECT_EQ(toldB, 420u) << "told at the look 320 ms after the second click";
    EXPECT_FALSE(follower.onTimer(kTimer + 1));
}

// No click is watched while Vela is off in the program in front: the window
// in front is looked at every kLookWhileBlindMs instead, until that ends.
TEST_F(ForegroundFollowing, WithoutClicksTheWindowInFrontIsLookedAtOftenUntilClicksAreBack) {
    start();
    follower.lookOften(true);
    for (std::uint64_t ms = 0; ms < 1000; ++ms) {
        if (ms == 400) platform.front = 2;
        if (ms == 600) follower.clickSeen();  // a click's looks do not end the others
        timers.advance(1, [this](int id) { EXPECT_TRUE(follower.onTimer(id)); });
    }
    ASSERT_TRUE(toldB);
    EXPECT_LE(*toldB, 400 + kLookWhileBlindMs);
    EXPECT_FALSE(timers.running().empty());
    follower.lookOften(false);
    timers.advance(1000, [this](int id) { follower.onTimer(id); });
    EXPECT_TRUE(timers.running().empty()) << "no look once clicks tell again";
}

}  // namespace
}  // namespace vela
