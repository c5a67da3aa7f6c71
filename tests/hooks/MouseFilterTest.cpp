#include <gtest/gtest.h>

#include <vector>

#include "hooks/MouseFilter.h"

namespace vela::hooks {
namespace {

MouseInput event(MouseEventKind kind, std::uint32_t xButton = 0, int delta = 0, bool injected = false) {
    return {kind, xButton, delta, injected};
}
MouseInput wheel(int delta, bool injected = false) {
    return event(MouseEventKind::Wheel, 0, delta, injected);
}
MouseInput tilt(int delta) {
    return event(MouseEventKind::TiltWheel, 0, delta);
}

const SlotSet kAll = mouseSlots().with(Slot::AltTab);

struct ButtonCase {
    const char* name;
    MouseEventKind down;
    MouseEventKind up;
    std::uint32_t xButton;
    Slot slot;
};

const std::vector<ButtonCase> kButtons{
    {"right", MouseEventKind::RightDown, MouseEventKind::RightUp, 0, Slot::R},
    {"middle", MouseEventKind::MiddleDown, MouseEventKind::MiddleUp, 0, Slot::M},
    // "Forward" is the platform's XBUTTON2, "Back" its XBUTTON1.
    {"xbutton2", MouseEventKind::XDown, MouseEventKind::XUp, kXButton2, Slot::X1},
    {"xbutton1", MouseEventKind::XDown, MouseEventKind::XUp, kXButton1, Slot::X2},
};

TEST(MouseFilterButtons, InstalledSlotSwallowsPressAndReleaseAndReportsOnPress) {
    for (const ButtonCase& b : kButtons) {
        SCOPED_TRACE(b.name);
        MouseFilter f;
        const SlotSet only = SlotSet().with(b.slot);
        EXPECT_EQ(f.onEvent(event(b.down, b.xButton), only), Verdict::report(b.slot));
        EXPECT_TRUE(f.holdsRelease());
        EXPECT_EQ(f.onEvent(event(b.up, b.xButton), only), Verdict::reportRelease(b.slot));
        EXPECT_FALSE(f.holdsRelease());
    }
}

TEST(MouseFilterButtons, OtherSlotsInstalledLeaveTheButtonNative) {
    for (const ButtonCase& b : kButtons) {
        SCOPED_TRACE(b.name);
        MouseFilter f;
        const SlotSet others = kAll.without(b.slot);
        EXPECT_EQ(f.onEvent(event(b.down, b.xButton), others), Verdict::pass());
        EXPECT_EQ(f.onEvent(event(b.up, b.xButton), others), Verdict::pass());
        EXPECT_FALSE(f.holdsRelease());
    }
}

TEST(MouseFilterButtons, LeftButtonMovesAndUnknownXButtonsAlwaysPass) {
    MouseFilter f;
    EXPECT_EQ(f.onEvent(event(MouseEventKind::LeftDown), kAll), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::LeftUp), kAll), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::Move), kAll), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::Other), kAll), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::XDown, 3), kAll), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::XUp, 0), kAll), Verdict::pass());
    EXPECT_FALSE(f.holdsRelease());
}

TEST(MouseFilterButtons, ReleaseFollowsItsPressAcrossInstallAndRemove) {
    MouseFilter f;
    const SlotSet r = SlotSet().with(Slot::R);
    // Removed between press and release: the system saw no press, so it must
    // not see a lone release either.
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightDown), r), Verdict::report(Slot::R));
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightUp), SlotSet()),
              Verdict::reportRelease(Slot::R));
    // Installed between press and release: the native press keeps its release.
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightDown), SlotSet()), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightUp), r), Verdict::pass());
}

TEST(MouseFilterButtons, EachButtonTracksItsOwnRelease) {
    MouseFilter f;
    const SlotSet x = SlotSet().with(Slot::X1);
    EXPECT_EQ(f.onEvent(event(MouseEventKind::XDown, kXButton2), x),
              Verdict::report(Slot::X1));
    // XBUTTON1 is not installed: its press and release are native, and do not
    // release the held XBUTTON2.
    EXPECT_EQ(f.onEvent(event(MouseEventKind::XDown, kXButton1), x), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::XUp, kXButton1), x), Verdict::pass());
    EXPECT_TRUE(f.holdsRelease());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::XUp, kXButton2), x),
              Verdict::reportRelease(Slot::X1));
    EXPECT_FALSE(f.holdsRelease());
}

TEST(MouseFilterInjected, SyntheticEventsAreNeverSwallowedNorReported) {
    MouseFilter f;
    for (const ButtonCase& b : kButtons) {
        EXPECT_EQ(f.onEvent(event(b.down, b.xButton, 0, true), kAll), Verdict::pass());
        EXPECT_EQ(f.onEvent(event(b.up, b.xButton, 0, true), kAll), Verdict::pass());
    }
    EXPECT_EQ(f.onEvent(wheel(120, true), kAll), Verdict::pass());
    EXPECT_EQ(f.onEvent(wheel(-120, true), kAll), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::TiltWheel, 0, -120, true), kAll), Verdict::pass());
    EXPECT_FALSE(f.holdsRelease());
}

TEST(MouseFilterInjected, SyntheticClickInsideAPhysicalPressLeavesItsReleaseSwallowed) {
    MouseFilter f;
    const SlotSet r = SlotSet().with(Slot::R);
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightDown), r), Verdict::report(Slot::R));
    // The executor answers with a synthetic right click before the finger lifts.
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightDown, 0, 0, true), r), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightUp, 0, 0, true), r), Verdict::pass());
    EXPECT_EQ(f.onEvent(event(MouseEventKind::RightUp), r), Verdict::reportRelease(Slot::R));
}

TEST(MouseFilterWheel, OneReportPerNotchInEachDirection) {
    MouseFilter f;
    const SlotSet wheels = SlotSet().with(Slot::WU).with(Slot::WD);
    EXPECT_EQ(f.onEvent(wheel(120), wheels), Verdict::report(Slot::WU));
    EXPECT_EQ(f.onEvent(wheel(-120), wheels), Verdict::report(Slot::WD));
    // Merged notches.
    EXPECT_EQ(f.onEvent(wheel(240), wheels), Verdict::report(Slot::WU, 2));
    EXPECT_EQ(f.onEvent(wheel(-360), wheels), Verdict::report(Slot::WD, 3));
    EXPECT_FALSE(f.holdsRelease());
}

TEST(MouseFilterWheel, FineDeltasAddUpToNotchesAndTurningBackStartsAgain) {
    MouseFilter f;
    const SlotSet wheels = SlotSet().with(Slot::WU).with(Slot::WD);
    EXPECT_EQ(f.onEvent(wheel(40), wheels), Verdict::swallow());
    EXPECT_EQ(f.onEvent(wheel(40), wheels), Verdict::swallow());
    EXPECT_EQ(f.onEvent(wheel(60), wheels), Verdict::report(Slot::WU));   // 140: one, 20 left
    EXPECT_EQ(f.onEvent(wheel(100), wheels), Verdict::report(Slot::WU));  // 120
    EXPECT_EQ(f.onEvent(wheel(100), wheels), Verdict::swallow());         // 100 left
    // Turning down discards the upward rest.
    EXPECT_EQ(f.onEvent(wheel(-30), wheels), Verdict::swallow());
    EXPECT_EQ(f.onEvent(wheel(-90), wheels), Verdict::report(Slot::WD));
    EXPECT_EQ(f.onEvent(wheel(0), wheels), Verdict::pass());
}

TEST(MouseFilterWheel, OnlyTheInstalledDirectionIsTaken) {
    MouseFilter f;
    const SlotSet down = SlotSet().with(Slot::WD);
    EXPECT_EQ(f.onEvent(wheel(120), down), Verdict::pass());
    EXPECT_EQ(f.onEvent(wheel(-120), down), Verdict::report(Slot::WD));
    EXPECT_EQ(f.onEvent(wheel(-60), down), Verdict::swallow());
    // A native turn in the other direction drops the half notch.
    EXPECT_EQ(f.onEvent(wheel(120), down), Verdict::pass());
    EXPECT_EQ(f.onEvent(wheel(-60), down), Verdict::swallow());
    // A tilt is not a vertical turn.
    EXPECT_EQ(f.onEvent(tilt(-120), down), Verdict::pass());
}

TEST(MouseFilterTilt, LeftIsNegativeRightIsPositiveOneReportPerNotch) {
    MouseFilter f;
    const SlotSet tilts = SlotSet().with(Slot::WL).with(Slot::WR);
    EXPECT_EQ(f.onEvent(tilt(-120), tilts), Verdict::report(Slot::WL));
    EXPECT_EQ(f.onEvent(tilt(120), tilts), Verdict::report(Slot::WR));
    EXPECT_EQ(f.onEvent(tilt(-240), tilts), Verdict::report(Slot::WL, 2));
    EXPECT_EQ(f.onEvent(tilt(120), SlotSet().with(Slot::WL)), Verdict::pass());
    // Vertical wheel slots do not take tilts.
    EXPECT_EQ(f.onEvent(tilt(120), SlotSet().with(Slot::WU)), Verdict::pass());
    // The horizontal rest is separate from the vertical one.
    EXPECT_EQ(f.onEvent(tilt(60), tilts), Verdict::swallow());
    EXPECT_EQ(f.onEvent(wheel(60), SlotSet().with(Slot::WU)), Verdict::swallow());
    EXPECT_EQ(f.onEvent(tilt(60), tilts), Verdict::report(Slot::WR));
}

TEST(MouseFilterWheel, ExtremeDeltasDoNotOverflowTheCount) {
    MouseFilter f;
    const SlotSet wheels = SlotSet().with(Slot::WU).with(Slot::WD);
    EXPECT_EQ(f.onEvent(wheel(-32768), wheels), Verdict::report(Slot::WD, 273));
    EXPECT_EQ(f.onEvent(wheel(32767), wheels), Verdict::report(Slot::WU, 273));
    for (int i = 0; i < 1000; ++i) f.onEvent(wheel(32767), wheels);
    EXPECT_EQ(f.onEvent(wheel(120), wheels).reports, 1);
}

}  // namespace
}  // namespace vela::hooks
