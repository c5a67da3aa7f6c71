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
const std::map<int, std::uint64_t> kWaiting{{kNextTimer, kLongestMs}};
const Balloon kFolder{L"Vela keeps your settings elsewhere", L"Vela cannot save in C:\\Vela"};
const Balloon kShortcut{L"Pause shortcut in use", L"Ctrl+Alt+Shift+P is used elsewhere"};

// A shell that records the titles it puts up, while there is an icon.
struct Shell {
    test::Recorder timers;
    std::vector<std::wstring> shown;
    bool hasIcon = true;
    BalloonQueue queue{timers, kNextTimer, kLongestMs, [this](const Balloon& b) {
                           if (hasIcon) shown.push_back(b.title);
                           return hasIcon;
                       }};
};

// The balloon up ends because the shell says so, or its longest show passes.
class BalloonQueueTest : public ::testing::TestWithParam<bool> {};

TEST_P(BalloonQueueTest, EachBalloonWaitsForTheOneUpAndNoneIsToldTwice) {
    Shell shell;
    BalloonQueue& queue = shell.queue;
    const auto end = [&] {
        if (GetParam()) return queue.gone();
        EXPECT_TRUE(queue.onTimer(kNextTimer));
    };

    for (const Balloon& b : {kFolder, kShortcut, kFolder, kShortcut}) queue.post(b);
    EXPECT_EQ(shell.shown, std::vector<std::wstring>{kFolder.title});
    EXPECT_EQ(queue.waiting(), 1u);
    EXPECT_EQ(shell.timers.running(), kWaiting);

    end();
    EXPECT_EQ(shell.shown, (std::vector<std::wstring>{kFolder.title, kShortcut.title}));
    EXPECT_EQ(shell.timers.running(), kWaiting);
    end();
    EXPECT_FALSE(queue.shown());
    EXPECT_TRUE(shell.timers.running().empty());
    queue.gone();  // the shell's late word about a balloon already ended
    EXPECT_EQ(shell.shown.size(), 2u);

    // Nothing up: the next goes up at once, even one told before.
    queue.post(kFolder);
    EXPECT_EQ(shell.shown.back(), kFolder.title);
    EXPECT_EQ(shell.timers.running(), kWaiting);
}

INSTANTIATE_TEST_SUITE_P(ShellSaysOrTimerFires, BalloonQueueTest, ::testing::Bool());

TEST(BalloonQueue, WithoutAnIconNothingWaitsAndAnotherTimerIsNotOurs) {
    Shell shell;
    shell.hasIcon = false;
    shell.queue.post(kFolder);
    EXPECT_FALSE(shell.queue.shown());
    EXPECT_TRUE(shell.timers.running().empty());

    shell.hasIcon = true;
    shell.queue.post(kShortcut);
    shell.queue.post(kFolder);
    for (int id : {0, 7, kNextTimer + 1}) EXPECT_FALSE(shell.queue.onTimer(id));
    EXPECT_EQ(shell.shown, std::vector<std::wstring>{kShortcut.title});

    // The icon gone with one waiting: dropped, not kept for ever.
    shell.hasIcon = false;
    shell.queue.gone();
    EXPECT_EQ(shell.queue.waiting(), 0u);
    EXPECT_TRUE(shell.timers.running().empty());
}

}  // namespace
}  // namespace vela
