#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/BalloonQueue.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

constexpr int kNextTimer = 0x42;
constexpr std::uint32_t kLongestMs = 15000;

const Balloon kFolder{L"Vela keeps your settings elsewhere", L"Vela cannot save in C:\\Vela"};
const Balloon kShortcut{L"Pause shortcut in use", L"Ctrl+Alt+Shift+P is used by another program"};
const Balloon kThird{L"Third", L"and last"};

struct Shell {
    std::vector<std::wstring> shown;  // titles, in the order they went up
    bool hasIcon = true;
};

// How the balloon up is ended: the shell says so, or the longest show passes.
enum class End { ShellSays, TimerFires };

class BalloonQueueTest : public ::testing::TestWithParam<End> {
protected:
    void end(BalloonQueue& queue) {
        if (GetParam() == End::ShellSays) {
            queue.gone();
        } else {
            EXPECT_TRUE(queue.onTimer(kNextTimer));
        }
    }
};

TEST_P(BalloonQueueTest, EachBalloonWaitsForTheOneUpAndNoneIsToldTwice) {
    test::Recorder timers;
    Shell shell;
    BalloonQueue queue(timers, kNextTimer, kLongestMs, [&](const Balloon& b) {
        shell.shown.push_back(b.title);
        return true;
    });
    const std::map<int, std::uint64_t> waiting{{kNextTimer, kLongestMs}};

    queue.post(kFolder);
    queue.post(kShortcut);
    queue.post(kFolder);    // up already
    queue.post(kShortcut);  // waiting already
    EXPECT_EQ(shell.shown, std::vector<std::wstring>{kFolder.title});
    EXPECT_EQ(queue.waiting(), 1u);
    EXPECT_EQ(timers.running(), waiting);

    end(queue);
    EXPECT_EQ(shell.shown, (std::vector<std::wstring>{kFolder.title, kShortcut.title}));
    EXPECT_EQ(queue.shown(), kShortcut);
    EXPECT_EQ(timers.running(), waiting);

    end(queue);
    EXPECT_FALSE(queue.shown());
    EXPECT_TRUE(timers.running().empty());
    // The shell's late word about a balloon the timer already ended changes nothing.
    queue.gone();
    EXPECT_EQ(shell.shown.size(), 2u);

    // Nothing up: the next goes up at once, even one told before.
    queue.post(kFolder);
    EXPECT_EQ(shell.shown.back(), kFolder.title);
    EXPECT_EQ(timers.running(), waiting);
}

INSTANTIATE_TEST_SUITE_P(Ends, BalloonQueueTest, ::testing::Values(End::ShellSays, End::TimerFires));

TEST(BalloonQueue, ABalloonTheShellRefusesLeavesNoWaitAndAnotherTimerIsNotOurs) {
    test::Recorder timers;
    Shell shell;
    BalloonQueue queue(timers, kNextTimer, kLongestMs, [&](const Balloon& b) {
        if (!shell.hasIcon) return false;
        shell.shown.push_back(b.title);
        return true;
    });
    shell.hasIcon = false;
    queue.post(kFolder);
    EXPECT_FALSE(queue.shown());
    EXPECT_TRUE(timers.running().empty());

    shell.hasIcon = true;
    queue.post(kShortcut);
    queue.post(kThird);
    for (int id : {0, 7, kNextTimer + 1}) EXPECT_FALSE(queue.onTimer(id));
    EXPECT_EQ(shell.shown, std::vector<std::wstring>{kShortcut.title});

    // The icon gone while one waits: the waiting one is dropped, not kept
    // for ever.
    shell.hasIcon = false;
    queue.gone();
    EXPECT_FALSE(queue.shown());
    EXPECT_EQ(queue.waiting(), 0u);
    EXPECT_TRUE(timers.running().empty());
}

}  // namespace
}  // namespace vela
