#include <gtest/gtest.h>

#include <map>

#include "core/PauseHotkey.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

constexpr int kRetryTimer = 0x51;
constexpr std::uint32_t kRetryMs = 3000;

// The shortcut is owned by another program for the first `refusals` tries.
struct Case {
    int refusals;
};

class PauseHotkeyTest : public ::testing::TestWithParam<Case> {};

TEST_P(PauseHotkeyTest, TakenOnceFreeTheUserToldOnceTheRetriesStopped) {
    const int refusals = GetParam().refusals;
    test::Recorder timers;
    int tries = 0, told = 0, owned = 0;
    PauseHotkey claim(timers, kRetryTimer, kRetryMs,
                        {[&] { return ++tries > refusals; }, [&] { ++told; }, [&] { ++owned; }});

    claim.claim();
    for (int tick = 0; tick < refusals; ++tick) {
        ASSERT_FALSE(claim.isOwned());
        ASSERT_EQ(timers.running(), (std::map<int, std::uint64_t>{{kRetryTimer, kRetryMs}}));
        EXPECT_TRUE(claim.onTimer(kRetryTimer));
    }
    EXPECT_TRUE(claim.isOwned());
    EXPECT_EQ(tries, refusals + 1);
    EXPECT_EQ(told, refusals > 0 ? 1 : 0);
    EXPECT_EQ(owned, 1);
    EXPECT_TRUE(timers.running().empty());

    // A tick already queued when the timer stopped tries nothing more.
    EXPECT_TRUE(claim.onTimer(kRetryTimer));
    EXPECT_EQ(tries, refusals + 1);
    EXPECT_EQ(owned, 1);
}

INSTANTIATE_TEST_SUITE_P(Refusals, PauseHotkeyTest, ::testing::Values(Case{0}, Case{1}, Case{4}));

TEST(PauseHotkey, AnotherTimerIsNotARetry) {
    test::Recorder timers;
    int tries = 0;
    PauseHotkey claim(timers, kRetryTimer, kRetryMs, {[&] { return ++tries > 1; }, {}, {}});
    claim.claim();
    for (int id : {0, 7, kRetryTimer + 1}) EXPECT_FALSE(claim.onTimer(id));
    EXPECT_EQ(tries, 1);
    EXPECT_FALSE(claim.isOwned());
}

}  // namespace
}  // namespace vela
