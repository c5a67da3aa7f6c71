#include <gtest/gtest.h>

#include <set>

#include "app/DpiFit.h"
#include "core/PlatformFlags.h"

namespace vela {
namespace {

TEST(DpiFit, At96DpiNothingMovesAndTheWindowKeepsItsSize) {
    const double scale = dpiScale(96);
    EXPECT_EQ(scale, 1.0);
    for (int control : kDpiFitControls) {
        const Rect r{13, 27, 181, 49};
        EXPECT_EQ(fitControlRect(r, dpiDivisors(control, 96, scale)), r) << control;
    }
    EXPECT_EQ(fitWindowSize(636, 468, scale), (std::array<std::int32_t, 2>{636, 468}));
}

TEST(DpiFit, MeasuredDivisorsPerDpiAndScaleWhereTheTableSaysSo) {
    // 120 DPI: the cross keeps the scale vertically, the middle caption has its own.
    EXPECT_EQ(dpiDivisors(1, 120, 1.25), (DpiDivisors{1.32, 1.25}));
    EXPECT_EQ(dpiDivisors(1001, 120, 1.25), (DpiDivisors{1.32, 1.23}));
    EXPECT_EQ(dpiDivisors(1000, 120, 1.25), (DpiDivisors{1.32, 1.25}));
    EXPECT_EQ(dpiDivisors(1007, 120, 1.25), (DpiDivisors{1.25, 1.25}));
    // 144 and 192 DPI rows differ per control.
    EXPECT_EQ(dpiDivisors(1003, 144, 1.5), (DpiDivisors{1.5, 1.54}));
    EXPECT_EQ(dpiDivisors(1001, 144, 1.5), (DpiDivisors{1.5, 1.52}));
    EXPECT_EQ(dpiDivisors(1, 192, 2.0), (DpiDivisors{2.0, 2.0}));
    EXPECT_EQ(dpiDivisors(1000, 192, 2.0), (DpiDivisors{2.0, 1.96}));
    EXPECT_EQ(dpiDivisors(1020, 192, 2.0), (DpiDivisors{2.0, 1.92}));
}

TEST(DpiFit, UnlistedDpiOrControlFallsBackToTheScale) {
    EXPECT_EQ(dpiDivisors(1000, 168, 1.75), (DpiDivisors{1.75, 1.75}));
    EXPECT_EQ(dpiDivisors(1012, 144, 1.5), (DpiDivisors{1.5, 1.5}));  // a label: not moved
    // The horizontal scale comes from LOGPIXELSX even when Y is a listed value.
    EXPECT_EQ(dpiDivisors(1007, 144, dpiScale(120)), (DpiDivisors{1.25, 1.25}));
}

TEST(DpiFit, CoordinatesAreTruncatedNotRounded) {
    // 130 / 1.32 = 98.48, 100 / 1.32 = 75.76, 31 / 1.23 = 25.2, 62 / 1.23 = 50.41.
    EXPECT_EQ(fitControlRect({100, 31, 130, 62}, {1.32, 1.23}), (Rect{75, 25, 98, 50}));
    EXPECT_EQ(fitWindowSize(795, 585, 1.25), (std::array<std::int32_t, 2>{636, 468}));
    EXPECT_EQ(fitWindowSize(799, 589, 1.25), (std::array<std::int32_t, 2>{639, 471}));
}

TEST(DpiFit, EveryMovedControlIsInTheTableOnceAndInOrder) {
    std::set<int> seen;
    for (std::size_t i = 0; i < kDpiFitControls.size(); ++i) {
        EXPECT_EQ(kDpiFitTable[i].control, kDpiFitControls[i]);
        EXPECT_TRUE(seen.insert(kDpiFitControls[i]).second);
    }
}

TEST(DpiFit, ADeviceReportingNoDpiIsTakenAs96) {
    EXPECT_EQ(dpiScale(0), 1.0);
    EXPECT_EQ(dpiScale(-5), 1.0);
    EXPECT_EQ(dpiScale(144), 1.5);
}

TEST(PlatformFlags, TiltFromVistaWindows8MenuOnExactly62) {
    EXPECT_EQ(platformFlagsFor(5, 1).tiltSupported, false);  // XP
    EXPECT_EQ(platformFlagsFor(5, 2).win8MenuEnabled, false);
    EXPECT_EQ(platformFlagsFor(6, 0).tiltSupported, true);  // Vista
    EXPECT_EQ(platformFlagsFor(6, 1).win8MenuEnabled, false);
    EXPECT_EQ(platformFlagsFor(6, 2).win8MenuEnabled, true);
    EXPECT_EQ(platformFlagsFor(6, 3).win8MenuEnabled, false);
    EXPECT_EQ(platformFlagsFor(10, 0).win8MenuEnabled, false);
    EXPECT_EQ(platformFlagsFor(10, 0).tiltSupported, true);
}

}  // namespace
}  // namespace vela
