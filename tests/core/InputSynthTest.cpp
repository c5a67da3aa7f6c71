#include <gtest/gtest.h>

#include "core/InputSynth.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

using test::key;
using test::mouse;
using test::Recorder;

// --- Where a click lands --------------------------------------------------

TEST(MouseTarget, PrimaryScreenUsesTruncatedNormalisation) {
    const Size screen{1920, 1080};
    const Rect desk{0, 0, 1920, 1080};
    EXPECT_EQ(targetAtCursor({1919, 1079}, screen, desk), (MouseTarget{65500, 65474, 0}));
    EXPECT_EQ(targetAtCursor({0, 0}, screen, desk), (MouseTarget{0, 0, 0}));
    EXPECT_EQ(targetAtCursor({960, 540}, screen, desk), (MouseTarget{32767, 32767, 0}));
}

TEST(MouseTarget, PrimaryScreenStaysExactWhenOtherMonitorsExist) {
    // A second monitor must not change a click made on the primary one.
    const Rect twoWide{0, 0, 3840, 1080};
    EXPECT_EQ(targetAtCursor({1919, 1079}, {1920, 1080}, twoWide), (MouseTarget{65500, 65474, 0}));
}

// The pixel the system maps a virtual-desktop coordinate back to.
std::int32_t pixelOf(std::int32_t normalised, std::int32_t origin, std::int32_t extent) {
    return origin +
           static_cast<std::int32_t>(static_cast<std::int64_t>(normalised) * extent / 65536);
}

TEST(MouseTarget, SecondaryMonitorClicksLandOnTheCursorPixel) {
    const Size primary{1920, 1080};
    struct Case {
        Rect desk;
        Point cursor;
    };
    const Case cases[] = {
        {{0, 0, 3840, 1080}, {2879, 500}},        // monitor to the right
        {{0, 0, 3840, 1080}, {3839, 1079}},       // its far corner
        {{-1920, 0, 1920, 1080}, {-10, 5}},       // monitor to the left
        {{-1920, 0, 1920, 1080}, {-1920, 0}},     // its top-left corner
        {{0, -1200, 1920, 1080}, {100, -1}},      // monitor above
        {{-2560, -300, 1920, 1140}, {-1, 1139}},  // taller monitor to the left
    };
    for (const Case& c : cases) {
        const MouseTarget t = targetAtCursor(c.cursor, primary, c.desk);
        EXPECT_EQ(t.extraFlags, mouseflag::VirtualDesk);
        EXPECT_GE(t.dx, 0);
        EXPECT_LE(t.dx, 65535);
        EXPECT_EQ(pixelOf(t.dx, c.desk.left, c.desk.width()), c.cursor.x);
        EXPECT_EQ(pixelOf(t.dy, c.desk.top, c.desk.height()), c.cursor.y);
    }
}

TEST(MouseTarget, DegenerateScreenSizesDoNotDivideByZero) {
    EXPECT_EQ(targetAtCursor({5, 5}, {0, 0}, {0, 0, 0, 0}), (MouseTarget{0, 0, 0}));
    EXPECT_EQ(normalizeToPrimary(100, -1), 0);
}

// --- Operations -----------------------------------------------------------

TEST(InputSynth, ClicksSendDownPauseUpWithTheirButtonFlags) {
    struct Case {
        MouseFunction function;
        std::uint32_t down, up, data;
    };
    const Case cases[] = {
        {MouseFunction::LeftClick, 0x8003, 0x8005, 0},
        {MouseFunction::RightClick, 0x8009, 0x8011, 0},
        {MouseFunction::MiddleClick, 0x8021, 0x8041, 0},
        {MouseFunction::ForwardClick, 0x8081, 0x8101, 2},
        {MouseFunction::BackClick, 0x8081, 0x8101, 1},
    };
    for (const Case& c : cases) {
        Recorder rec;
        InputSynth(rec).click(c.function, {65500, 65474, 0});
        EXPECT_EQ(rec.trace(), "send:1 sleep:30 send:1");
        const auto sends = rec.sends();
        ASSERT_EQ(sends.size(), 2u);
        EXPECT_EQ(sends[0][0], mouse(65500, 65474, c.down, c.data));
        EXPECT_EQ(sends[1][0], mouse(65500, 65474, c.up, c.data));
    }
}

TEST(InputSynth, ClickOnASecondaryMonitorCarriesTheVirtualDesktopFlag) {
    Recorder rec;
    InputSynth(rec).click(MouseFunction::LeftClick, {49151, 30000, mouseflag::VirtualDesk});
    const auto records = rec.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].flags, 0xC003u);
    EXPECT_EQ(records[1].flags, 0xC005u);
}

TEST(InputSynth, WheelStepIsOneRecordInOneCall) {
    Recorder rec;
    InputSynth synth(rec);
    synth.wheelStep(120, {1, 2, 0});
    synth.wheelStep(-120, {1, 2, 0});
    EXPECT_EQ(rec.trace(), "send:1 send:1");
    EXPECT_EQ(rec.sends()[0][0], mouse(1, 2, 0x8801, 120));
    EXPECT_EQ(rec.sends()[1][0], mouse(1, 2, 0x8801, static_cast<std::uint32_t>(-120)));
}

TEST(InputSynth, KeyTapPutsDownAndUpIntoOneCall) {
    Recorder rec;
    InputSynth(rec).keyTap(46);
    ASSERT_EQ(rec.trace(), "send:2");
    EXPECT_EQ(rec.sends()[0], (std::vector{key(46, false), key(46, true)}));
}

TEST(InputSynth, ModifierChordIsFourCallsWithThePauseAfterTheModifier) {
    Recorder rec;
    InputSynth(rec).modifierChord(0x11, 67, 30);
    EXPECT_EQ(rec.trace(), "send:1 sleep:30 send:1 send:1 send:1");
    EXPECT_EQ(rec.records(),
              (std::vector{key(0x11, false), key(67, false), key(67, true), key(0x11, true)}));
}

TEST(InputSynth, ModifierChordWithoutPauseNeverSleeps) {
    Recorder rec;
    InputSynth(rec).modifierChord(0x11, 86, 0);
    EXPECT_EQ(rec.trace(), "send:1 send:1 send:1 send:1");
}

TEST(InputSynth, SlowWindowsChordPausesOnBothSidesOfTheKey) {
    Recorder rec;
    InputSynth(rec).slowWindowsChord(69);
    EXPECT_EQ(rec.trace(), "send:1 sleep:100 send:1 send:1 sleep:100 send:1");
    EXPECT_EQ(rec.records(),
              (std::vector{key(0x5B, false), key(69, false), key(69, true), key(0x5B, true)}));
}

TEST(InputSynth, SwitchAppsIsOneCallOfSixStampedRecords) {
    Recorder rec;
    InputSynth(rec).switchApps();
    ASSERT_EQ(rec.trace(), "send:6");
    EXPECT_EQ(rec.sends()[0],
              (std::vector{key(0x11, false, 0), key(0x5B, false, 0), key(8, false, 64),
                           key(8, true, 128), key(0x5B, true, 500), key(0x11, true, 500)}));
}

TEST(InputSynth, RepeatTapStyles) {
    Recorder taps;
    InputSynth(taps).repeatTap(39, 3, RepeatStyle::Taps);
    EXPECT_EQ(taps.trace(), "send:2 send:2 send:2");

    Recorder split;
    InputSynth(split).repeatTap(39, 3, RepeatStyle::PauseThenSplitCalls);
    EXPECT_EQ(split.trace(), "sleep:30 send:1 send:1 send:1 send:1 send:1 send:1");
    EXPECT_EQ(split.records(), (std::vector{key(39, false), key(39, true), key(39, false),
                                            key(39, true), key(39, false), key(39, true)}));
}

}  // namespace
}  // namespace vela
