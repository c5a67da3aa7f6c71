#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/OverlayNotice.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

constexpr int kSettle = 0x31;
constexpr int kHide = 0x32;

// A notice that records what it shows ("+name") and when it goes ("-").
struct Screen final : NoticePort {
    std::vector<std::wstring> seen;
    void show(const std::wstring& text) override { seen.push_back(L"+" + text); }
    void hide() override { seen.push_back(L"-"); }
};

struct Notices {
    Screen screen;
    test::Recorder timers;
    OverlayNotice notice{screen, timers, kSettle, kHide};

    void wait(std::uint64_t ms) {
        timers.advance(ms, [&](int id) { notice.onTimer(id); });
    }
};

using Seen = std::vector<std::wstring>;

// On, a change shows the name it settles on for a second, then goes; a burst
// shows only its last; a new change replaces the one up and its time starts
// again. What applied at the start is no change.
TEST(OverlayNoticeTest, ShowsWhatAppliesOnceTheSwitchSettlesForASecond) {
    Notices n;
    n.notice.setEnabled(true);
    n.notice.nowApplies(L"All Programs");
    n.wait(5000);
    EXPECT_TRUE(n.screen.seen.empty());
    n.notice.nowApplies(L"notepad.exe");
    n.notice.nowApplies(L"While Back Held");  // the press that brought the program
    EXPECT_TRUE(n.screen.seen.empty());
    n.wait(kNoticeSettleMs);
    EXPECT_EQ(n.screen.seen, Seen{L"+While Back Held"});

    n.wait(kNoticeShowMs / 2);
    n.notice.nowApplies(L"notepad.exe");  // Back let go
    n.wait(kNoticeSettleMs);
    n.wait(kNoticeShowMs - 1);
    EXPECT_EQ(n.screen.seen, (Seen{L"+While Back Held", L"+notepad.exe"}));
    n.wait(1);
    EXPECT_EQ(n.screen.seen, (Seen{L"+While Back Held", L"+notepad.exe", L"-"}));
    EXPECT_TRUE(n.timers.running().empty());
    EXPECT_FALSE(n.notice.onTimer(kHide + 1));
}

// No change, nothing: the same name again, or a burst that comes back to
// where it began. Off, nothing at all, and what applied meanwhile is known
// when it is turned on; turned off, the notice up goes at once.
TEST(OverlayNoticeTest, NothingForNoChangeNorWhileOff) {
    Notices n;
    n.notice.nowApplies(L"All Programs");
    n.notice.nowApplies(L"game.exe");
    n.wait(5000);
    EXPECT_TRUE(n.timers.running().empty());
    n.notice.setEnabled(true);
    n.notice.nowApplies(L"game.exe");
    n.notice.nowApplies(L"All Programs");
    n.notice.nowApplies(L"game.exe");
    n.wait(5000);
    EXPECT_TRUE(n.screen.seen.empty());
    n.notice.nowApplies(L"All Programs");
    n.wait(kNoticeSettleMs + 10);
    n.notice.setEnabled(false);
    EXPECT_EQ(n.screen.seen, (Seen{L"+All Programs", L"-"}));
    EXPECT_TRUE(n.timers.running().empty());
}

}  // namespace
}  // namespace vela
