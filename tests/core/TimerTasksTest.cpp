#include <gtest/gtest.h>

#include "core/TimerTasks.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

class TimerTasksTest : public ::testing::Test {
protected:
    test::Recorder rec;
    TimerTasks tasks{rec, rec, rec, rec};
};

TEST_F(TimerTasksTest, SaveTimerStopsItselfBeforeSaving) {
    tasks.onTimer(kSaveTimerId);
    EXPECT_EQ(rec.trace(), "kill:7 save");
}

TEST_F(TimerTasksTest, HideTimerHidesThenStops) {
    tasks.onTimer(kHideTimerId);
    EXPECT_EQ(rec.trace(), "hide kill:8");
}

TEST_F(TimerTasksTest, PlaybackTimersPlayTheirSlotsScript) {
    for (int id = 1; id <= 6; ++id) tasks.onTimer(id);
    EXPECT_EQ(rec.trace(),
              "kill:1 play:R kill:2 play:M kill:3 play:WU kill:4 play:WD kill:5 play:X1 "
              "kill:6 play:X2");
}

TEST_F(TimerTasksTest, OtherIdsDoNothing) {
    for (int id : {0, 9, -1, 100}) tasks.onTimer(id);
    EXPECT_EQ(rec.trace(), "");
}

}  // namespace
}  // namespace vela
