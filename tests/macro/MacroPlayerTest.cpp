#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <limits>

#include "core/InputRecords.h"
#include "macro/MacroPlayer.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

using test::key;
using test::mouse;
using test::Recorder;

class PlayerTest : public ::testing::Test {
protected:
    Recorder rec;
    void SetUp() override {
        rec.cursor = {960, 540};
        rec.screen = {1920, 1080};
    }
};

// The absolute coordinates of the pointer's pixel at the start, (960, 540).
constexpr std::int32_t kX = 32785;
constexpr std::int32_t kY = 32798;

TEST_F(PlayerTest, AClickWithAPauseLandsAtTheRememberedPoint) {
    playMacroScript({{'a', L""}, {'g', L" 100"}, {'b', L""}}, rec);
    EXPECT_EQ(rec.trace(), "send:1 sleep:100 send:1");
    EXPECT_EQ(rec.records(),
              (std::vector<InputRecord>{mouse(kX, kY, 0x8003), mouse(kX, kY, 0x8005)}));
}

TEST_F(PlayerTest, AClickStaysWhereThePlaybackBeganWhenThePointerMoves) {
    rec.duringSleep = [this] { rec.cursor = {0, 0}; };
    playMacroScript({{'g', L" 1"}, {'a', L""}}, rec);
    EXPECT_EQ(rec.records(), std::vector<InputRecord>{mouse(kX, kY, 0x8003)});
}

TEST_F(PlayerTest, MoveLStartsFromThePointerNowMoveRFromTheRememberedHeight) {
    // The user has moved the pointer to (1000, 900) by the time the moves run.
    rec.duringSleep = [this] { rec.cursor = {1000, 900}; };
    playMacroScript({{'g', L" 1"}, {'h', L" 655"}, {'i', L" 655"}, {'a', L""}}, rec);
    const std::int32_t x = absoluteCoordinate(1000, 1920) + 655;
    const std::int32_t y = kY + 655;  // remembered, not re-read
    // The click goes to the pixel the moves put the pointer on.
    const Point landed{pixelOfAbsolute(x, 1920), pixelOfAbsolute(y, 1080)};
    EXPECT_EQ(landed, (Point{1019, 551}));
    EXPECT_EQ(rec.records(),
              (std::vector<InputRecord>{
                  mouse(x, kY, 0x8001), mouse(x, y, 0x8001),
                  mouse(absoluteCoordinate(1019, 1920), absoluteCoordinate(551, 1080), 0x8003)}));
}

TEST_F(PlayerTest, NegativeMovesGoLeftAndUp) {
    playMacroScript({{'h', L" -500"}, {'i', L" -500"}}, rec);
    EXPECT_EQ(rec.records(), (std::vector<InputRecord>{mouse(kX - 500, kY, 0x8001),
                                                       mouse(kX - 500, kY - 500, 0x8001)}));
}

TEST_F(PlayerTest, ClicksOnAnotherMonitorSpanTheDesktopAndLandOnThePointer) {
    rec.desktop = {-1280, 0, 1920, 1080};
    rec.cursor = {-700, 300};
    playMacroScript({{'a', L""}, {'b', L""}}, rec);
    const std::int32_t x = absoluteCoordinate(-700 + 1280, 3200);
    const std::int32_t y = absoluteCoordinate(300, 1080);
    EXPECT_EQ(rec.records(), (std::vector<InputRecord>{mouse(x, y, 0xC003), mouse(x, y, 0xC005)}));
}

TEST_F(PlayerTest, KeyRecordsCarryTheLow16BitsOfTheExtraInfoReadOnce) {
    rec.extraInfo = 0x1234'5678'9ABC'DEF0;
    rec.duringSleep = [this] { rec.extraInfo = 1; };
    playMacroScript({{'j', L" 17"}, {'g', L" 0"}, {'k', L" 17"}, {'a', L""}}, rec);
    EXPECT_EQ(rec.trace(), "send:1 sleep:0 send:1 send:1");
    EXPECT_EQ(rec.records(),
              (std::vector<InputRecord>{key(17, false, 0, 0xDEF0), key(17, true, 0, 0xDEF0),
                                        mouse(kX, kY, 0x8003)}))
        << "mouse records carry no extra info";
}

TEST_F(PlayerTest, KeyStepsCarryTheScanCodeAndExtendedFlagOfTheirKey) {
    rec.scanCodes = {{0x25, 0x4B}, {0x41, 0x1E}};
    playMacroScript({{'j', L" 37"}, {'k', L" 37"}, {'j', L" 65"}, {'k', L" 65"}}, rec);
    auto left = [](bool up) {
        InputRecord r = test::extended(key(0x25, up));
        r.scanCode = 0x4B;
        return r;
    };
    auto a = [](bool up) {
        InputRecord r = key(0x41, up);
        r.scanCode = 0x1E;
        return r;
    };
    EXPECT_EQ(rec.records(),
              (std::vector<InputRecord>{left(false), left(true), a(false), a(true)}));
}

TEST_F(PlayerTest, AStopEndsThePlaybackBeforeItsNextStep) {
    std::atomic<bool> stop{false};
    rec.duringSleep = [&stop] { stop = true; };
    playMacroScript({{'j', L" 17"}, {'g', L" 4000"}, {'k', L" 17"}, {'j', L" 18"}}, rec, &stop);
    EXPECT_EQ(rec.trace(), "send:1 sleep:4000");
}

TEST_F(PlayerTest, KeyCodesAreTheLow16BitsOfTheNumber) {
    playMacroScript({{'j', L" 65601"}, {'k', L" -1"}, {'j', L""}}, rec);
    EXPECT_EQ(rec.records(),
              (std::vector<InputRecord>{key(0x41, false, 0, 0), key(0xFFFF, true, 0, 0),
                                        key(0, false, 0, 0)}));
}

TEST_F(PlayerTest, RightAndMiddleButtonStepsAndUnknownOpcodesSendNothing) {
    playMacroScript({{'c', L""}, {'d', L""}, {'e', L""}, {'f', L""}, {'z', L" 1"}}, rec);
    EXPECT_TRUE(rec.calls().empty());
    playMacroScript({}, rec);
    EXPECT_TRUE(rec.calls().empty());
}

TEST_F(PlayerTest, ANegativeDelayIsNoWaitAndHugeOnesStopAt32Bits) {
    playMacroScript({{'g', L" -1"}, {'g', L" -99999999999"}, {'g', L" 99999999999"}, {'g', L""}},
                    rec);
    EXPECT_EQ(rec.trace(), "sleep:0 sleep:0 sleep:2147483647 sleep:0");
}

TEST_F(PlayerTest, PointerArithmeticSaturatesInsteadOfWrapping) {
    playMacroScript({{'i', L" 2147483647"}, {'i', L" 1"}, {'h', L" -2147483648"}}, rec);
    const auto records = rec.records();
    EXPECT_EQ(records[1].dy, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(records[2].dx, kX + std::numeric_limits<std::int32_t>::min());
}

TEST_F(PlayerTest, AZeroSizedScreenDoesNotFault) {
    rec.screen = {0, 0};
    rec.desktop = {0, 0, 0, 0};
    playMacroScript({{'a', L""}, {'h', L" 5"}}, rec);
    EXPECT_EQ(rec.records(), (std::vector<InputRecord>{mouse(0, 0, 0x8003), mouse(5, 0, 0x8001)}));
}

}  // namespace
}  // namespace vela
