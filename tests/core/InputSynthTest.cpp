#include <gtest/gtest.h>

#include "core/InputSynth.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

using test::extended;
using test::key;
using test::mouse;
using test::Recorder;

// --- Where a click lands --------------------------------------------------

// The pixel the system puts an absolute coordinate on: value · extent / 65536,
// rounded down, from the origin of the area the coordinate spans.
std::int32_t systemPixel(std::int32_t value, std::int32_t origin, std::int32_t extent) {
    return origin + static_cast<std::int32_t>((static_cast<std::int64_t>(value) * extent) >> 16);
}

// Every pixel of `monitor` whose target does not land on itself, with the
// first one found.
struct Misses {
    int count = 0;
    Point first{};
};

Misses missesOn(const Rect& monitor, Size primary, const Rect& desk) {
    Misses misses;
    for (std::int32_t y = monitor.top; y < monitor.bottom; ++y) {
        for (std::int32_t x = monitor.left; x < monitor.right; ++x) {
            const MouseTarget t = targetAtCursor({x, y}, primary, desk);
            const bool overDesk = (t.extraFlags & mouseflag::VirtualDesk) != 0;
            const Rect area = overDesk ? desk : Rect{0, 0, primary.width, primary.height};
            const Point landed{systemPixel(t.dx, area.left, area.width()),
                               systemPixel(t.dy, area.top, area.height())};
            const bool inRange = t.dx >= 0 && t.dx <= 65535 && t.dy >= 0 && t.dy <= 65535;
            if (!inRange || landed != Point{x, y}) {
                if (misses.count++ == 0) misses.first = {x, y};
            }
        }
    }
    return misses;
}

TEST(MouseTarget, EveryPixelOfThePrimaryAndOfMonitorsAroundItMapsBackToItself) {
    const Size primary{1920, 1080};
    const Rect primaryMonitor{0, 0, 1920, 1080};
    struct Layout {
        const char* name;
        Rect desk;
        Rect other;
    };
    const Layout layouts[] = {
        {"the primary alone", primaryMonitor, primaryMonitor},
        {"1280 x 1024 left of it", {-1280, 0, 1920, 1080}, {-1280, 56, 0, 1080}},
        {"2560 x 1440 right of it", {0, 0, 4480, 1440}, {1920, 0, 4480, 1440}},
        {"1920 x 1080 above it", {0, -1080, 1920, 1080}, {0, -1080, 1920, 0}},
    };
    for (const Layout& layout : layouts) {
        for (const Rect& monitor : {primaryMonitor, layout.other}) {
            const Misses misses = missesOn(monitor, primary, layout.desk);
            EXPECT_EQ(misses.count, 0) << layout.name << ": first miss at (" << misses.first.x
                                       << ", " << misses.first.y << ")";
        }
    }
}

TEST(MouseTarget, PrimaryClicksStayInPrimaryCoordinatesOthersSpanTheDesktop) {
    const Size screen{1920, 1080};
    const Rect twoWide{0, 0, 3840, 1080};
    EXPECT_EQ(targetAtCursor({1919, 1079}, screen, twoWide).extraFlags, 0u);
    EXPECT_EQ(targetAtCursor({1920, 0}, screen, twoWide).extraFlags, mouseflag::VirtualDesk);
    // The middle of the pixel's run of values: (960 + 1/2) · 65536 / 1920.
    EXPECT_EQ(targetAtCursor({960, 540}, screen, twoWide), (MouseTarget{32785, 32798, 0}));
}

// Where the pointer is now: the same target, the virtual desktop asked for
// only off the primary monitor (each question costs a press time).
TEST(MouseTarget, ThePointersTargetAsksForTheDesktopOnlyOffThePrimaryMonitor) {
    struct Screens final : InputStatePort {
        Point at;
        int desktopAsked = 0;
        Point cursorPos() override { return at; }
        Size primaryScreenSize() override { return {1920, 1080}; }
        Rect virtualScreen() override { return ++desktopAsked, Rect{-1280, 0, 1920, 1080}; }
        std::uint32_t tickCount() override { return 0; }
        std::uint64_t messageExtraInfo() override { return 0; }
        std::uint16_t scanCodeOf(std::uint16_t) override { return 0; }
        bool keyDown(std::uint16_t) override { return false; }
    } screens;
    for (const Point at : {Point{0, 0}, Point{1919, 1079}, Point{-1, 5}, Point{-1280, 1079}}) {
        screens.desktopAsked = 0;
        screens.at = at;
        EXPECT_EQ(targetAtCursor(screens),
                  targetAtCursor(at, {1920, 1080}, {-1280, 0, 1920, 1080}));
        EXPECT_EQ(screens.desktopAsked, at.x < 0 ? 1 : 0) << at.x;
    }
}

TEST(MouseTarget, DegenerateScreenSizesDoNotDivideByZero) {
    EXPECT_EQ(targetAtCursor({5, 5}, {0, 0}, {0, 0, 0, 0}), (MouseTarget{0, 0, 0}));
    EXPECT_EQ(absoluteCoordinate(100, -1), 0);
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
    // Delete is an extended key.
    EXPECT_EQ(rec.sends()[0], (std::vector{extended(key(46, false)), extended(key(46, true))}));
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
    EXPECT_EQ(rec.records(), (std::vector{extended(key(0x5B, false)), key(69, false), key(69, true),
                                          extended(key(0x5B, true))}));
}

TEST(InputSynth, SwitchAppsIsOneCallOfSixStampedRecords) {
    Recorder rec;
    InputSynth(rec).switchApps();
    ASSERT_EQ(rec.trace(), "send:6");
    EXPECT_EQ(rec.sends()[0], (std::vector{key(0x11, false, 0), extended(key(0x5B, false, 0)),
                                           key(8, false, 64), key(8, true, 128),
                                           extended(key(0x5B, true, 500)), key(0x11, true, 500)}));
}

TEST(InputSynth, RepeatTapStyles) {
    Recorder taps;
    InputSynth(taps).repeatTap(39, 3, RepeatStyle::Taps);
    EXPECT_EQ(taps.trace(), "send:2 send:2 send:2");

    Recorder split;
    InputSynth(split).repeatTap(39, 3, RepeatStyle::PauseThenSplitCalls);
    EXPECT_EQ(split.trace(), "sleep:30 send:1 send:1 send:1 send:1 send:1 send:1");
    const InputRecord down = extended(key(39, false)), up = extended(key(39, true));
    EXPECT_EQ(split.records(), (std::vector{down, up, down, up, down, up}));
}

// --- Keys as games see them ---------------------------------------------------

TEST(KeyRecords, KeysTheLayoutLeavesOutGetThePcKeyboardsCodes) {
    Recorder rec;
    rec.scanCodes = {{0xB3, 0x7F}};  // a layout that has its own code for play/pause
    for (auto [vk, scan] : std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0xA6, 0x6A},
                                                                                {0xAC, 0x32},
                                                                                {0xAD, 0x20},
                                                                                {0xAF, 0x30},
                                                                                {0xB0, 0x19},
                                                                                {0xB1, 0x10},
                                                                                {0xB3, 0x7F},
                                                                                {0xB7, 0x21},
                                                                                {0x41, 0x1E},
                                                                                {0xA5, 0x38}}) {
        EXPECT_EQ(scanCodeFor(rec, vk), scan) << std::hex << vk;
    }
}

TEST(KeyRecords, EverySynthesisCarriesTheLayoutsScanCodes) {
    Recorder rec;
    rec.scanCodes = {{0x11, 0x1D}, {67, 0x2E}, {0x27, 0x4D}, {0xB0, 0x19},
                     {0x5B, 0x5B}, {8, 0x0E},  {0xA4, 0x38}, {0xA5, 0x38}};
    InputSynth synth(rec);
    synth.modifierChord(0x11, 67, 0);
    synth.keyTap(0x27);
    synth.keyTap(0xB0);
    synth.repeatTap(0x27, 1, RepeatStyle::PauseThenSplitCalls);
    synth.switchApps();
    const auto scanned = [](std::uint16_t vk, bool up, std::uint16_t scan, bool ext,
                            std::uint32_t time = 0) {
        InputRecord r = key(vk, up, time);
        r.scanCode = scan;
        return ext ? extended(r) : r;
    };
    EXPECT_EQ(
        rec.records(),
        (std::vector{scanned(0x11, false, 0x1D, false), scanned(67, false, 0x2E, false),
                     scanned(67, true, 0x2E, false), scanned(0x11, true, 0x1D, false),
                     scanned(0x27, false, 0x4D, true), scanned(0x27, true, 0x4D, true),
                     scanned(0xB0, false, 0x19, true), scanned(0xB0, true, 0x19, true),
                     scanned(0x27, false, 0x4D, true), scanned(0x27, true, 0x4D, true),
                     scanned(0x11, false, 0x1D, false), scanned(0x5B, false, 0x5B, true),
                     scanned(8, false, 0x0E, false, 64), scanned(8, true, 0x0E, false, 128),
                     scanned(0x5B, true, 0x5B, true, 500), scanned(0x11, true, 0x1D, false, 500)}));

    // Letting go of both Alts: the unassigned mask key first, then each Alt
    // up, right Alt extended; one call.
    rec.clear();
    synth.letGoOfAlt(true, true);
    EXPECT_EQ(rec.sends(), (std::vector<std::vector<InputRecord>>{
                               {key(0xE8, false), key(0xE8, true), scanned(0xA4, true, 0x38, false),
                                scanned(0xA5, true, 0x38, true)}}));
}

}  // namespace
}  // namespace vela
