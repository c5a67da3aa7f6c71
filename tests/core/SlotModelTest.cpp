#include <gtest/gtest.h>

#include "core/PausableHooks.h"
#include "core/SlotModel.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

using test::Recorder;

class SlotModelTest : public ::testing::Test {
protected:
    Recorder rec;
    SlotModel model{rec, rec, rec};
};

TEST_F(SlotModelTest, OwnInputOnAnUnmappedSlotOnlyRewritesTheCaption) {
    model.assignMouseFunction(Slot::R, L"Right Button", toRaw(MouseFunction::RightClick));
    EXPECT_EQ(rec.trace(), "caption:R repaint timer:7/10");
    EXPECT_FALSE(model.at(Slot::R).hookInstalled);
}

TEST_F(SlotModelTest, OwnInputOnARemappedSlotRemovesTheHookAndKeepsTheValues) {
    model.assignKeyFunction(Slot::R, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    rec.clear();
    model.assignMouseFunction(Slot::R, L"Right Button", toRaw(MouseFunction::RightClick));
    EXPECT_EQ(rec.trace(), "caption:R remove:R repaint timer:7/10");
    const ButtonAssignment& a = model.at(Slot::R);
    EXPECT_FALSE(a.hookInstalled);
    EXPECT_EQ(a.caption, L"Right Button");
    EXPECT_EQ(a.actionGroup, toRaw(ActionGroup::KeyGroup));
    EXPECT_EQ(a.keyAction, toRaw(KeyAction::CtrlCombo));
    EXPECT_EQ(a.virtualKey, 67);
}

TEST_F(SlotModelTest, AnotherSlotsInputInstallsTheHookAndStoresTheMouseFunction) {
    model.assignMouseFunction(Slot::M, L"Right Button", toRaw(MouseFunction::RightClick));
    EXPECT_EQ(rec.trace(), "caption:M install:M repaint timer:7/10");
    const ButtonAssignment& a = model.at(Slot::M);
    EXPECT_TRUE(a.hookInstalled);
    EXPECT_EQ(a.actionGroup, toRaw(ActionGroup::MouseGroup));
    EXPECT_EQ(a.mouseFunction, toRaw(MouseFunction::RightClick));
}

TEST_F(SlotModelTest, TiltAndAltTabHaveNoOwnMouseFunction) {
    model.assignMouseFunction(Slot::WL, L"Wheel Up", toRaw(MouseFunction::WheelUp));
    model.assignMouseFunction(Slot::AltTab, L"Forward", toRaw(MouseFunction::ForwardClick));
    EXPECT_TRUE(model.at(Slot::WL).hookInstalled);
    EXPECT_TRUE(model.at(Slot::AltTab).hookInstalled);
}

TEST_F(SlotModelTest, ARemappedSlotIsNotInstalledTwice) {
    model.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    rec.clear();
    model.assignKeyFunction(Slot::X1, L"Mute", toRaw(KeyAction::SingleKey), 173);
    EXPECT_EQ(rec.trace(), "caption:X1 repaint timer:7/10");
    EXPECT_EQ(model.at(Slot::X1).caption, L"Mute");
    EXPECT_EQ(model.at(Slot::X1).keyAction, toRaw(KeyAction::SingleKey));
    EXPECT_EQ(model.at(Slot::X1).virtualKey, 173);
}

TEST_F(SlotModelTest, EachFunctionWritesOnlyTheFieldsItNames) {
    model.assignKeyFunction(Slot::X2, L"Calculator", toRaw(KeyAction::Launch), 0, L"calc.exe");
    model.assignKeyFunction(Slot::X2, L"Mute", toRaw(KeyAction::SingleKey), 173);
    model.assignMouseFunction(Slot::X2, L"Wheel Up", toRaw(MouseFunction::WheelUp));
    const ButtonAssignment& a = model.at(Slot::X2);
    EXPECT_EQ(a.launchTarget, L"calc.exe");  // untouched by later key and mouse entries
    EXPECT_EQ(a.keyAction, toRaw(KeyAction::SingleKey));  // untouched by the mouse entry
    EXPECT_EQ(a.virtualKey, 173);
    EXPECT_EQ(a.actionGroup, toRaw(ActionGroup::MouseGroup));
    EXPECT_EQ(a.mouseFunction, toRaw(MouseFunction::WheelUp));

    model.assignKeyFunction(Slot::X2, L"Media Player", toRaw(KeyAction::Launch), 99,
                            L"wmplayer.exe");
    EXPECT_EQ(a.virtualKey, 173);  // a launch leaves the key alone
    EXPECT_EQ(a.mouseFunction, toRaw(MouseFunction::WheelUp));
    EXPECT_EQ(a.launchTarget, L"wmplayer.exe");
}

TEST_F(SlotModelTest, ANewDescriptionIsShownAndSavedLikeAnyOtherChange) {
    model.setDescription(Slot::X2, L"Back to the list");
    EXPECT_EQ(model.at(Slot::X2).description, L"Back to the list");
    EXPECT_EQ(rec.trace(), "label:X2 timer:7/10");
}

TEST_F(SlotModelTest, RevertToNativeWaitsASecondBeforeSaving) {
    model.assignKeyFunction(Slot::X1, L"Calculator", toRaw(KeyAction::Launch), 0, L"calc.exe");
    rec.clear();
    model.revertToNative(Slot::X1);
    EXPECT_EQ(rec.trace(), "caption:X1 remove:X1 repaint timer:7/1000");
    EXPECT_EQ(model.at(Slot::X1).caption, L"Forward");
    EXPECT_EQ(model.at(Slot::X1).launchTarget, L"calc.exe");
    EXPECT_EQ(model.at(Slot::X1).keyAction, toRaw(KeyAction::Launch));

    // A quick follow-up restarts the same timer with the short delay: one save.
    model.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    EXPECT_EQ(rec.calls().back().what, "timer");
    EXPECT_EQ(rec.calls().back().number, 7u);
    EXPECT_EQ(rec.calls().back().second, 10u);
}

TEST_F(SlotModelTest, ResetAllRestoresEveryCaptionRemovesInstalledHooksAndSavesAtOnce) {
    model.assignKeyFunction(Slot::X2, L"Paste", toRaw(KeyAction::CtrlCombo), 86);
    model.assignKeyFunction(Slot::WL, L"Calculator", toRaw(KeyAction::Launch), 0, L"calc.exe");
    rec.clear();
    model.resetAll(rec);
    EXPECT_EQ(rec.trace(),
              "caption:R caption:M caption:X1 caption:X2 remove:X2 caption:WD caption:WU "
              "caption:WL remove:WL caption:WR caption:ALTTAB repaint save");
    for (const SlotInfo& s : kSlotTable) {
        EXPECT_EQ(model.at(s.slot).caption, s.nativeCaption);
        EXPECT_FALSE(model.at(s.slot).hookInstalled);
    }
    EXPECT_EQ(model.at(Slot::WL).launchTarget, L"calc.exe");
    EXPECT_EQ(model.at(Slot::X2).virtualKey, 86);
}

// What the slot's function holds down goes before the slot changes, and
// everything before a reset.
TEST(SlotModelRelease, EveryChangeOfASlotLetsGoOfItsHeldInputFirst) {
    Recorder rec;
    SlotModel model{rec, rec, rec, &rec};
    model.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    model.assignMouseFunction(Slot::X1, L"Forward", toRaw(MouseFunction::ForwardClick));
    model.assignKeyFunction(Slot::X2, L"Macro", toRaw(KeyAction::Macro), 0);
    model.revertToNative(Slot::X2);
    EXPECT_EQ(rec.trace(),
              "release:X1 caption:X1 install:X1 repaint timer:7/10 "
              "release:X1 caption:X1 remove:X1 repaint timer:7/10 "
              "release:X2 caption:X2 install:X2 repaint timer:7/10 "
              "release:X2 caption:X2 remove:X2 repaint timer:7/1000");
    rec.clear();
    model.resetAll(rec);
    EXPECT_EQ(rec.trace().substr(0, 23), "release-all caption:R c");
    // A description is no change of the function.
    rec.clear();
    model.setDescription(Slot::X1, L"copies");
    EXPECT_EQ(rec.trace(), "label:X1 timer:7/10");
}

// Pause takes every hook out and puts back what is wanted when it ends, the
// assignments and their flags untouched; changes while paused reach the
// libraries only on resume.
TEST(PausableHooks, PauseTakesEveryHookOutAndResumePutsBackWhatIsWantedThen) {
    Recorder libraries, rec;
    PausableHooks hooks(libraries);
    SlotModel model{hooks, rec, rec};
    model.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    model.assignKeyFunction(Slot::AltTab, L"Paste", toRaw(KeyAction::CtrlCombo), 86);
    libraries.clear();
    hooks.setPaused(true);
    hooks.setPaused(true);  // twice is once
    EXPECT_EQ(libraries.trace(), "remove:X1 remove:ALTTAB");
    EXPECT_TRUE(model.at(Slot::X1).hookInstalled);

    libraries.clear();
    model.revertToNative(Slot::X1);
    model.assignKeyFunction(Slot::X2, L"Cut", toRaw(KeyAction::CtrlCombo), 88);
    EXPECT_EQ(libraries.trace(), "") << "nothing goes in while paused";
    hooks.setPaused(false);
    EXPECT_EQ(libraries.trace(), "install:X2 install:ALTTAB");
    EXPECT_FALSE(hooks.paused());
    libraries.clear();
    model.resetAll(rec);
    EXPECT_EQ(libraries.trace(), "remove:X2 remove:ALTTAB");
}

// Paused means no hook of Vela's at all, the click watch's too; what Vela
// holds is let go once they are out, so a press caught on the way finds its
// hook gone. Resume brings back the watch only while it is wanted.
TEST(PausableHooks, PauseTakesTheClickWatchOutTooAndLetsGoAfterTheHooksAreOut) {
    Recorder rec;
    PausableHooks hooks(rec, &rec, &rec);
    hooks.install(Slot::X1);
    hooks.watchClicks(true);
    rec.clear();
    hooks.setPaused(true);
    hooks.setPaused(true);
    hooks.watchClicks(true);
    EXPECT_EQ(rec.trace(), "clicks-off remove:X1 release-all");
    rec.clear();
    hooks.setPaused(false);
    EXPECT_EQ(rec.trace(), "install:X1 clicks-on");
    rec.clear();
    hooks.watchClicks(false);  // the last profile went
    hooks.setPaused(true);
    hooks.setPaused(false);
    EXPECT_EQ(rec.trace(), "clicks-off remove:X1 release-all install:X1");
}

// The mouse tuning's filters need a hook too: paused, nothing is tuned (a
// release the chatter filter holds is let go before any hook goes out);
// resumed, the latest tuning goes in, one chosen while paused included.
TEST(PausableHooks, PauseTakesTheMouseTuningOutAndResumeBringsBackTheLatest) {
    Recorder rec;
    PausableHooks hooks(rec, &rec, nullptr, &rec);
    MouseTuning chatter, wheel;
    chatter.of(MouseButton::Left).on = true;
    wheel.wheelNotches = 3;
    hooks.setTuning(chatter);
    hooks.setTuning(chatter);
    hooks.setPaused(true);
    hooks.setTuning(wheel);
    EXPECT_EQ(rec.trace(), "tune-on mouse-let-go tune-off release-all");
    hooks.setPaused(false);
    EXPECT_EQ(rec.trace(), "tune-on mouse-let-go tune-off release-all tune-on");
    EXPECT_EQ(rec.tuning, wheel);
}

}  // namespace
}  // namespace vela
