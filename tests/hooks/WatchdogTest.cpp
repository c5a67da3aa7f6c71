#include <gtest/gtest.h>

#include "hooks/Watchdog.h"

namespace vela::hooks {
namespace {

// Both hooks in; input reached the system.
WatchdogRound missedKey() {
    return {true, true, false, true, true, true};
}
WatchdogRound missedMove() {
    return {true, true, true, true, true, true};
}
WatchdogRound quiet() {
    return {true, true, false, false, true, true};
}

TEST(Watchdog, TwoSuspectRoundsInARowRestoreAndOnlyInARow) {
    WatchdogSuspicion w;
    EXPECT_FALSE(w.restoreAfter(missedMove()));
    EXPECT_TRUE(w.restoreAfter(missedKey()));
    // A quiet round between two suspect ones is no second round in a row.
    EXPECT_FALSE(w.restoreAfter(missedKey()));
    EXPECT_FALSE(w.restoreAfter(quiet()));
    EXPECT_FALSE(w.restoreAfter(missedKey()));
    EXPECT_FALSE(w.restoreAfter(quiet()));
    EXPECT_FALSE(w.restoreAfter(missedMove()));
}

TEST(Watchdog, OnlyInputTheRemainingHooksCouldSeeCounts) {
    WatchdogSuspicion w;
    // Only the keyboard hook (the Alt+Tab slot alone): clicks without a move
    // are input no hook of ours could see.
    const WatchdogRound click{false, true, false, true, true, true};
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(w.restoreAfter(click)) << i;
    // A program moving the pointer (SetCursorPos) is no input.
    const WatchdogRound programMove{true, false, true, false, true, true};
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(w.restoreAfter(programMove)) << i;
    // A round the hooks answered is no suspicion.
    const WatchdogRound seen{true, true, true, true, false, true};
    EXPECT_FALSE(w.restoreAfter(missedKey()));
    EXPECT_FALSE(w.restoreAfter(seen));
    EXPECT_FALSE(w.restoreAfter(missedKey()));
}

}  // namespace
}  // namespace vela::hooks
