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
    model.assign(Slot::R, L"Right Button", action::Mouse{MouseFunction::RightClick});
    EXPECT_EQ(rec.trace(), "caption:R repaint timer:7/10");
    EXPECT_FALSE(model.at(Slot::R).remapped);
}

TEST_F(SlotModelTest, OwnInputOnARemappedSlotRemovesTheHookAndKeepsTheValues) {
    model.assign(Slot::R, L"Copy", action::Key{ChordModifier::Control, 67});
    rec.clear();
    model.assign(Slot::R, L"Right Button", action::Mouse{MouseFunction::RightClick});
    EXPECT_EQ(rec.trace(), "caption:R remove:R repaint timer:7/10");
    const ButtonAssignment& a = model.at(Slot::R);
    EXPECT_FALSE(a.remapped);
    EXPECT_EQ(a.caption, L"Right Button");
    EXPECT_EQ(a.action, Action(action::Key{ChordModifier::Control, 67}));
}

TEST_F(SlotModelTest, AnotherSlotsInputInstallsTheHookAndStoresTheMouseFunction) {
    model.assign(Slot::M, L"Right Button", action::Mouse{MouseFunction::RightClick});
    EXPECT_EQ(rec.trace(), "caption:M install:M repaint timer:7/10");
    const ButtonAssignment& a = model.at(Slot::M);
    EXPECT_TRUE(a.remapped);
    EXPECT_EQ(a.action, Action(action::Mouse{MouseFunction::RightClick}));
}

TEST_F(SlotModelTest, TiltAndAltTabHaveNoOwnMouseFunction) {
    model.assign(Slot::WL, L"Wheel Up", action::Mouse{MouseFunction::WheelUp});
    model.assign(Slot::AltTab, L"Forward", action::Mouse{MouseFunction::ForwardClick});
    EXPECT_TRUE(model.at(Slot::WL).remapped);
    EXPECT_TRUE(model.at(Slot::AltTab).remapped);
}

TEST_F(SlotModelTest, ARemappedSlotIsNotInstalledTwice) {
    model.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
    rec.clear();
    model.assign(Slot::X1, L"Mute", action::Key{ChordModifier::None, 173});
    EXPECT_EQ(rec.trace(), "caption:X1 repaint timer:7/10");
    EXPECT_EQ(model.at(Slot::X1).caption, L"Mute");
    EXPECT_EQ(model.at(Slot::X1).action, Action(action::Key{ChordModifier::None, 173}));
}

// A function replaces the one before whole; a macro keeps the key the slot
// sent, which the slot without scripts sends with Windows instead.
TEST_F(SlotModelTest, AFunctionReplacesTheLastAndAMacroKeepsItsKey) {
    model.assign(Slot::M, L"Copy", action::Key{ChordModifier::Control, 67});
    model.assign(Slot::M, L"a", action::Macro{L"a.txt"});
    EXPECT_EQ(model.at(Slot::M).action, Action(action::Macro{L"a.txt", 67}));
    model.assign(Slot::M, L"Calculator", action::Launch{L"calc.exe"});
    model.assign(Slot::M, L"b", action::Macro{L"b.txt"});
    EXPECT_EQ(model.at(Slot::M).action, Action(action::Macro{L"b.txt", 0}));
}

TEST_F(SlotModelTest, ANewDescriptionIsShownAndSavedLikeAnyOtherChange) {
    model.setDescription(Slot::X2, L"Back to the list");
    EXPECT_EQ(model.at(Slot::X2).description, L"Back to the list");
    EXPECT_EQ(rec.trace(), "label:X2 timer:7/10");
}

TEST_F(SlotModelTest, RevertToNativeWaitsASecondBeforeSaving) {
    model.assign(Slot::X1, L"Calculator", action::Launch{L"calc.exe"});
    rec.clear();
    model.revertToNative(Slot::X1);
    EXPECT_EQ(rec.trace(), "caption:X1 remove:X1 repaint timer:7/1000");
    EXPECT_EQ(model.at(Slot::X1).caption, L"Forward");
    EXPECT_EQ(model.at(Slot::X1).action, Action(action::Launch{L"calc.exe"}));

    // A quick follow-up restarts the same timer with the short delay: one save.
    model.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
    EXPECT_EQ(rec.calls().back().what, "timer");
    EXPECT_EQ(rec.calls().back().number, 7u);
    EXPECT_EQ(rec.calls().back().second, 10u);
}

TEST_F(SlotModelTest, ResetAllRestoresEveryCaptionRemovesInstalledHooksAndSavesAtOnce) {
    model.assign(Slot::X2, L"Paste", action::Key{ChordModifier::Control, 86});
    model.assign(Slot::WL, L"Calculator", action::Launch{L"calc.exe"});
    rec.clear();
    model.resetAll(rec);
    EXPECT_EQ(rec.trace(),
              "caption:R caption:M caption:X1 caption:X2 remove:X2 caption:WD caption:WU "
              "caption:WL remove:WL caption:WR caption:ALTTAB repaint save");
    for (const SlotInfo& s : kSlotTable) {
        EXPECT_EQ(model.at(s.slot).caption, s.nativeCaption);
        EXPECT_FALSE(model.at(s.slot).remapped);
    }
    EXPECT_EQ(model.at(Slot::WL).action, Action(action::Launch{L"calc.exe"}));
    EXPECT_EQ(model.at(Slot::X2).action, Action(action::Key{ChordModifier::Control, 86}));
}

// What the slot's function holds down goes before the slot changes, and
// everything before a reset.
TEST(SlotModelRelease, EveryChangeOfASlotLetsGoOfItsHeldInputFirst) {
    Recorder rec;
    SlotModel model{rec, rec, rec, &rec};
    model.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
    model.assign(Slot::X1, L"Forward", action::Mouse{MouseFunction::ForwardClick});
    model.assign(Slot::X2, L"Macro", action::Macro{});
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
    model.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
    model.assign(Slot::AltTab, L"Paste", action::Key{ChordModifier::Control, 86});
    libraries.clear();
    hooks.setPaused(true);
    hooks.setPaused(true);  // twice is once
    EXPECT_EQ(libraries.trace(), "remove:X1 remove:ALTTAB");
    EXPECT_TRUE(model.at(Slot::X1).remapped);

    libraries.clear();
    model.revertToNative(Slot::X1);
    model.assign(Slot::X2, L"Cut", action::Key{ChordModifier::Control, 88});
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
