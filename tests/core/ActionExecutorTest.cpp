#include <gtest/gtest.h>

#include <limits>

#include "core/PressPath.h"
#include "core/ShortcutRecords.h"
#include "core/StoredShortcut.h"
#include "tests/core/ExecutorFixture.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

using test::ExecutorTest;
using test::key;

// --- Mouse group ------------------------------------------------------------

// A click or notch goes out as it is, with every hook of Vela's left in: the
// engine passes injected input untouched, so the slot whose own input it is
// (the executing one included) never hears of it.
TEST_F(ExecutorTest, EveryMouseFunctionGoesOutWithTheHooksLeftIn) {
    const std::pair<MouseFunction, std::uint32_t> cases[] = {
        {MouseFunction::LeftClick, 0x8003},   {MouseFunction::RightClick, 0x8009},
        {MouseFunction::MiddleClick, 0x8021}, {MouseFunction::ForwardClick, 0x8081},
        {MouseFunction::BackClick, 0x8081},   {MouseFunction::WheelUp, 0x8801},
        {MouseFunction::WheelDown, 0x8801},
    };
    rec.cursor = {1919, 1079};
    for (const auto& [function, downFlags] : cases) {
        const bool wheel = function >= MouseFunction::WheelUp;
        for (const Slot slot : {Slot::WL, Slot::R, Slot::WD}) {
            mouseFunction(slot, function);
            executor.onActivation(slot);
            EXPECT_EQ(rec.trace(), wheel ? "send:1" : "send:1 sleep:30 send:1");
            EXPECT_EQ(rec.records()[0].flags & downFlags, downFlags);
            EXPECT_EQ(rec.records()[0].dx, absoluteCoordinate(1919, 1920));
            EXPECT_EQ(rec.records()[0].dy, absoluteCoordinate(1079, 1080));
        }
    }
    for (const Slot slot : {Slot::WL, Slot::R, Slot::WD}) EXPECT_TRUE(model.hooked(slot));
}

// A function the file names that Vela does not know, or a layer button's
// (the press path's to act on), sends nothing and keeps the hook.
TEST_F(ExecutorTest, FunctionsWithoutInputDoNothingAndKeepTheHook) {
    const Action cases[] = {action::Unknown{0, 0, 7}, action::Unknown{1, 12, 0},
                            action::Unknown{2, 0, 0}, action::LayerWhileHeld{}};
    for (const Action& f : cases) {
        give(Slot::R, f);
        executor.onActivation(Slot::R);
        EXPECT_EQ(rec.trace(), "");
    }
    EXPECT_TRUE(model.hooked(Slot::R));
}

// --- Key group ---------------------------------------------------------------

TEST_F(ExecutorTest, KeyActionsSendTheirChords) {
    struct Case {
        ChordModifier chord;
        std::uint16_t modifier;  // 0 for a plain tap
    };
    const Case cases[] = {
        {ChordModifier::None, 0},       {ChordModifier::Windows, 0x5B},
        {ChordModifier::Control, 0x11}, {ChordModifier::Shift, 0x10},
        {ChordModifier::Alt, 0x12},
    };
    for (const Case& c : cases) {
        keyFunction(Slot::X1, c.chord, 67);
        executor.onActivation(Slot::X1);
        if (c.modifier == 0) {
            EXPECT_EQ(rec.trace(), "send:2");
            EXPECT_EQ(rec.records(), (std::vector{key(67, false), key(67, true)}));
        } else {
            EXPECT_EQ(rec.trace(), "send:1 sleep:30 send:1 send:1 send:1");
            InputRecord down = key(c.modifier, false), up = key(c.modifier, true);
            if (c.modifier == 0x5B) down = test::extended(down), up = test::extended(up);
            EXPECT_EQ(rec.records(), (std::vector{down, key(67, false), key(67, true), up}));
        }
    }
}

// Alt went through to the program in front; a finger still on it would turn
// the slot's keys into Alt shortcuts.
TEST_F(ExecutorTest, TheAltTabSlotLetsGoOfTheAltsStillHeldBeforeItsFunction) {
    keyFunction(Slot::AltTab, ChordModifier::Control, 67);
    executor.onActivation(Slot::AltTab, heldalt::Left | heldalt::Right);
    EXPECT_EQ(rec.trace(), "send:4 send:1 send:1 send:1 send:1");
    EXPECT_EQ(rec.sends()[0], (std::vector{key(0xE8, false), key(0xE8, true), key(0xA4, true),
                                           test::extended(key(0xA5, true))}));
    rec.clear();
    executor.onActivation(Slot::AltTab, heldalt::Right);
    EXPECT_EQ(rec.sends()[0],
              (std::vector{key(0xE8, false), key(0xE8, true), test::extended(key(0xA5, true))}));
    // Alt already up, or another slot's report: the function alone.
    rec.clear();
    executor.onActivation(Slot::AltTab, 0);
    EXPECT_EQ(rec.trace(), "send:1 send:1 send:1 send:1");
    keyFunction(Slot::X1, ChordModifier::Control, 67);
    executor.onActivation(Slot::X1, heldalt::Left);
    EXPECT_EQ(rec.trace(), "send:1 sleep:30 send:1 send:1 send:1");
}

TEST_F(ExecutorTest, OnlyTheAltTabSlotsControlChordSkipsThePause) {
    keyFunction(Slot::AltTab, ChordModifier::Control, 86);
    executor.onActivation(Slot::AltTab);
    EXPECT_EQ(rec.trace(), "send:1 send:1 send:1 send:1");

    keyFunction(Slot::AltTab, ChordModifier::Alt, 86);
    executor.onActivation(Slot::AltTab);
    EXPECT_EQ(rec.trace(), "send:1 sleep:30 send:1 send:1 send:1");
}

TEST_F(ExecutorTest, SwitchAppsSendsTheChordOnEverySlot) {
    for (const SlotInfo& s : kSlotTable) {
        give(s.slot, action::SwitchApps{});
        executor.onActivation(s.slot);
        ASSERT_EQ(rec.trace(), "send:6") << s.name;
        EXPECT_EQ(rec.records()[2].virtualKey, 8) << s.name;
    }
}

TEST_F(ExecutorTest, LaunchOpensTheTargetOrRunsThePowerActionItNames) {
    struct Case {
        std::wstring target;
        const char* trace;
        std::wstring text;
    };
    const Case cases[] = {
        {L"#kzkshutoff#", "run", L"shutdown /s /t 0"},
        {L"#kzksleep#", "power:0", L""},
        {L"#kzkstandby#", "power:1", L""},
        {L"#KZKSLEEP#", "open", L"#KZKSLEEP#"},  // case matters: just a file name
        {L"#kzksleep# ", "open", L"#kzksleep# "},
        {L"C:\\Tools\\calc.exe", "open", L"C:\\Tools\\calc.exe"},
        {L"", "open", L""},
    };
    for (const Case& c : cases) {
        give(Slot::R, action::Launch{c.target});
        executor.onActivation(Slot::R);
        EXPECT_EQ(rec.trace(), c.trace);
        EXPECT_EQ(rec.calls()[0].text, c.text);
    }
}

// --- Macros -------------------------------------------------------------------

TEST_F(ExecutorTest, MacroOnTheMiddleButtonSendsTheSlowWindowsChordInstead) {
    give(Slot::M, action::Macro{L"", 69});
    executor.onActivation(Slot::M);
    EXPECT_EQ(rec.trace(), "send:1 sleep:100 send:1 send:1 sleep:100 send:1");
    EXPECT_EQ(rec.records()[1], key(69, false));
    EXPECT_FALSE(playback.isPlaying(Slot::M));
}

TEST_F(ExecutorTest, MacroPressesDuringAPlaybackAreDropped) {
    give(Slot::X1, action::Macro{});
    executor.onActivation(Slot::X1);
    EXPECT_TRUE(playback.isPlaying(Slot::X1));
    executor.onActivation(Slot::X1);
    EXPECT_EQ(rec.trace(), "playback:X1");

    // Another slot plays alongside.
    give(Slot::WU, action::Macro{});
    executor.onActivation(Slot::WU);
    EXPECT_EQ(rec.trace(), "playback:WU");

    // Once the playback has finished, the next press starts a new one.
    playback.finish(Slot::X1);
    rec.clear();
    executor.onActivation(Slot::X1);
    EXPECT_EQ(rec.trace(), "playback:X1");
}

TEST_F(ExecutorTest, AFailedPlaybackStartLeavesTheSlotFree) {
    give(Slot::X2, action::Macro{});
    rec.playbackStarts = false;
    executor.onActivation(Slot::X2);
    EXPECT_FALSE(playback.isPlaying(Slot::X2));
    rec.playbackStarts = true;
    executor.onActivation(Slot::X2);
    EXPECT_EQ(rec.trace(), "playback:X2 playback:X2");
}

// --- Hold While Pressed ---------------------------------------------------------

TEST_F(ExecutorTest, AHeldKeyGoesDownWithTheInputAndUpWithIt) {
    keyFunction(Slot::X2, ChordModifier::None, 16).holdWhilePressed = true;
    executor.onActivation(Slot::X2);
    EXPECT_EQ(rec.records(), (std::vector{key(16, false)}));
    executor.onRelease(Slot::X2);
    EXPECT_EQ(rec.records(), (std::vector{key(16, false), key(16, true)}));
    executor.onRelease(Slot::X2);  // a second release, or one after a restore: nothing
    EXPECT_EQ(rec.trace(), "send:1 send:1");
    EXPECT_FALSE(held.holdsAnything());
}

TEST_F(ExecutorTest, AHeldKeyThatAnotherFunctionAlsoPressedStillComesUp) {
    keyFunction(Slot::X1, ChordModifier::Control, 67);
    keyFunction(Slot::X2, ChordModifier::None, 0x11).holdWhilePressed = true;
    executor.onActivation(Slot::X2);
    executor.onActivation(Slot::X1);  // Control+C while Control is held
    rec.clear();
    executor.onRelease(Slot::X2);
    // Control+C let go of Control already: the system has it up, nothing owed.
    EXPECT_EQ(rec.trace(), "");
    EXPECT_FALSE(held.holdsAnything());
    executor.onActivation(Slot::X2);
    executor.onRelease(Slot::X2);
    EXPECT_EQ(rec.sends().back(), (std::vector{key(0x11, true)}));
}

TEST_F(ExecutorTest, AHeldChordComesUpKeyFirstAndAHeldButtonWhereThePointerIs) {
    keyFunction(Slot::AltTab, ChordModifier::Control, 67).holdWhilePressed = true;
    executor.onActivation(Slot::AltTab, heldalt::Left);
    executor.onRelease(Slot::AltTab);
    EXPECT_EQ(rec.trace(), "send:3 send:1 send:1 send:2");
    EXPECT_EQ(rec.sends().back(), (std::vector{key(67, true), key(0x11, true)}));

    mouseFunction(Slot::M, MouseFunction::BackClick).holdWhilePressed = true;
    executor.onActivation(Slot::M);
    executor.onRelease(Slot::M);
    ASSERT_EQ(rec.records().size(), 2u);
    EXPECT_EQ(rec.records()[0].flags, 0x8081u);                 // XBUTTON1 down at the pointer
    EXPECT_EQ(rec.records()[1], test::mouse(0, 0, 0x0100, 1));  // up, no move
}

TEST_F(ExecutorTest, WhatCannotBeHeldRunsAsAPressAndTheWheelNeverHolds) {
    give(Slot::X1, action::Launch{L"calc.exe"}).holdWhilePressed = true;
    executor.onActivation(Slot::X1);
    EXPECT_EQ(rec.trace(), "open");
    keyFunction(Slot::WU, ChordModifier::None, 16).holdWhilePressed = true;
    executor.onActivation(Slot::WU);
    EXPECT_EQ(rec.records(), (std::vector{key(16, false), key(16, true)}));
    EXPECT_FALSE(held.holdsAnything());
}

// --- Shortcuts and typed texts --------------------------------------------------

// A shortcut goes out as a keyboard sends it (its records are ShortcutRecords'):
// each modifier down in a call of its own, 30 ms, the key (a button for the
// length of a click), each modifier up.
TEST_F(ExecutorTest, AShortcutIsPressedAsAKeyboardWouldOnEverySlot) {
    using namespace modifier;
    const std::pair<Shortcut, const char*> cases[] = {
        {Shortcut(LeftCtrl | LeftShift, 0x54),
         "send:1 send:1 sleep:30 send:1 send:1 send:1 send:1"},
        {Shortcut(LeftWin, shortcutkey::None), "send:1 send:1"},  // the Start menu
        {Shortcut(LeftCtrl, shortcutkey::WheelUp), "send:1 sleep:30 send:1 send:1"},
        {Shortcut(LeftCtrl, shortcutkey::BackButton),
         "send:1 sleep:30 send:1 sleep:30 send:1 send:1"},
    };
    for (const auto& [chord, trace] : cases) {
        for (const SlotInfo& info : kSlotTable) {
            SCOPED_TRACE(std::string(info.name) + " " + trace);
            shortcut(info.slot, chord);
            executor.onActivation(info.slot);
            EXPECT_EQ(rec.trace(), trace);
            EXPECT_EQ(rec.records(), shortcutPressRecords(chord, rec));
        }
    }
    shortcut(Slot::X1, Shortcut());  // what the file could not say: nothing
    executor.onActivation(Slot::X1);
    EXPECT_EQ(rec.trace(), "");
}

// F13 as push-to-talk, Control held by a side button, zoom held: the first
// half with the input, the rest with its release.
TEST_F(ExecutorTest, AHeldShortcutGoesDownWithTheInputAndUpWithIt) {
    using namespace modifier;
    for (const Shortcut chord :
         {Shortcut(0, 0x7C), Shortcut(LeftCtrl, shortcutkey::None),
          Shortcut(RightCtrl | LeftShift, 0x41), Shortcut(LeftCtrl, shortcutkey::WheelUp)}) {
        shortcut(Slot::X2, chord).holdWhilePressed = true;
        executor.onActivation(Slot::X2);
        EXPECT_EQ(rec.records(), shortcutDownRecords(chord, rec));
        executor.onRelease(Slot::X2);
        EXPECT_EQ(rec.records(), shortcutPressRecords(chord, rec)) << storedShortcut(chord);
        EXPECT_FALSE(held.holdsAnything());
    }
}

TEST_F(ExecutorTest, ATextTypesOnAThreadOfItsOwnOnEverySlotOneAtATime) {
    for (const SlotInfo& info : kSlotTable) {
        give(info.slot, action::TypeText{L"Gr\u00fc\u00dfe\n"});
        executor.onActivation(info.slot);
        executor.onActivation(info.slot);  // while it types: dropped
        EXPECT_EQ(rec.trace(), "type:" + std::string(info.name));
        EXPECT_EQ(rec.calls()[0].text, L"Gr\u00fc\u00dfe\n");
        playback.finish(info.slot);
    }
    // No thread to be had: the slot is free again at once.
    rec.playbackStarts = false;
    executor.onActivation(Slot::X1);
    EXPECT_FALSE(playback.isPlaying(Slot::X1));
}

// --- A press whose slot is not hooked now ---------------------------------------

// The hook went out between the press and its report (the program in front
// leaves the input alone, "No Settings", Reset): whatever the slot still
// stores, the program in front gets the input itself, a button's up with the
// input's release, and Alt stays as the user holds it.
TEST_F(ExecutorTest, APressOfASlotNotHookedNowGivesTheInputItself) {
    const std::int32_t x = absoluteCoordinate(100, 1920), y = absoluteCoordinate(200, 1080);
    const auto at = [&](std::uint32_t flags, std::int32_t data = 0) {
        return test::mouse(x, y, 0x8001 | flags, static_cast<std::uint32_t>(data));
    };
    struct Case {
        Slot slot;
        std::vector<InputRecord> press;
        std::vector<InputRecord> release;
    };
    const Case cases[] = {
        {Slot::R, {at(0x08)}, {test::mouse(0, 0, 0x10)}},
        {Slot::M, {at(0x20)}, {test::mouse(0, 0, 0x40)}},
        {Slot::X1, {at(0x80, 2)}, {test::mouse(0, 0, 0x100, 2)}},
        {Slot::X2, {at(0x80, 1)}, {test::mouse(0, 0, 0x100, 1)}},
        {Slot::WD, {at(0x800, -120)}, {}},
        {Slot::WU, {at(0x800, 120)}, {}},
        {Slot::WL, {at(0x1000, -120)}, {}},
        {Slot::WR, {at(0x1000, 120)}, {}},
        {Slot::AltTab, {key(9, false)}, {key(9, true)}},
    };
    for (const Case& c : cases) {
        const std::string name(slotInfo(c.slot).name);
        // Paste held while pressed, then "No Settings": the values stay.
        keyFunction(c.slot, ChordModifier::Control, 86).holdWhilePressed = true;
        model.at(c.slot).remapped = false;
        model.followRemapped(c.slot);
        rec.clear();
        executor.onActivation(c.slot, heldalt::Left);
        EXPECT_EQ(rec.records(), c.press) << name;
        rec.clear();
        executor.onRelease(c.slot);
        EXPECT_EQ(rec.records(), c.release) << name;
        EXPECT_FALSE(held.holdsAnything()) << name;
    }
}

// Pause took the hooks out after the press was caught: the same, and once
// remapping is back the function runs again. Exit lets go of a button held
// this way like any other.
TEST(ExecutorWhilePaused, APressCaughtAsPauseBeganGivesTheInputItself) {
    test::Recorder rec;
    PausableHooks hooks(rec);
    SlotModel model(hooks, rec, rec);
    OverlaySet overlays;
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor(model, {rec, rec, rec, rec, rec, &held}, playback);
    PressPath presses(model, overlays, hooks, nullptr, nullptr, executor, rec);
    model.assign(Slot::X2, L"Shift", action::Key{ChordModifier::None, 16});
    hooks.setPaused(true);
    rec.clear();
    presses.pressed(Slot::X2, 0, 1000);
    ASSERT_EQ(rec.records().size(), 1u);
    EXPECT_EQ(rec.records()[0].flags, 0x8081u);
    EXPECT_EQ(held.takeAllReleases(), (std::vector{test::mouse(0, 0, 0x100, 1)}));

    hooks.setPaused(false);
    rec.clear();
    presses.pressed(Slot::X2, 0, 1100);
    EXPECT_EQ(rec.records(), (std::vector{key(16, false), key(16, true)}));
}

// A button's gestures, click and long press run through the press path as a
// press's function would; the engine hears what to decide, and nothing while
// paused.
TEST(TriggerFunctions, RunThroughThePressPathAndReachTheEngine) {
    struct Engine final : TriggerPort {
        TriggerSet told;
        void setTriggers(const TriggerSet& t) override { told = t; }
    } engine;
    test::Recorder rec;
    PausableHooks hooks(rec);
    SlotModel model(hooks, rec, rec);
    OverlaySet overlays;
    PlaybackThreads playback;
    ActionExecutor executor(model, {rec, rec, rec, rec, rec}, playback);
    PressPath presses(model, overlays, hooks, nullptr, nullptr, executor, rec);
    hooks.followTriggers(engine, presses.applies());
    model.assign(Slot::X1, L"Gestures", action::Gestures{{true}});
    model.at(Slot::X1).triggers.gestures[1] = action::Key{ChordModifier::None, 65};
    model.at(Slot::X1).triggers.longPress = action::Key{ChordModifier::None, 66};
    model.assign(Slot::R, L"Layer", action::LayerWhileHeld{});
    model.assign(Slot::X2, L"Layer", action::LayerWhileHeld{});
    hooks.refreshTriggers();
    const ButtonTriggers& forward = engine.told.of(MouseButton::Forward);
    EXPECT_TRUE(forward.hold == HoldUse::Gestures && forward.repeat[0] && forward.ownClick &&
                forward.longPress && !forward.doubleClick);
    // A right button's layer keeps its click and drag; a side button's is as ever.
    EXPECT_TRUE(engine.told.of(MouseButton::Right).hold == HoldUse::Layer &&
                !engine.told.of(MouseButton::Back).any());

    rec.clear();
    presses.triggered(Slot::X1, SlotTrigger::GestureDown);
    presses.triggered(Slot::X1, SlotTrigger::GestureUp);  // none set
    presses.triggered(Slot::X1, SlotTrigger::LongPress);
    EXPECT_EQ(rec.records(),
              (std::vector{key(65, false), key(65, true), key(66, false), key(66, true)}));

    model.at(Slot::X1).triggers.click = action::Key{ChordModifier::None, 67};
    hooks.refreshTriggers();
    EXPECT_FALSE(engine.told.of(MouseButton::Forward).ownClick);
    rec.clear();
    presses.pressed(Slot::X1, 0, 100);
    presses.released(Slot::X1, 150);
    EXPECT_EQ(rec.records(), (std::vector{key(67, false), key(67, true)}));

    // A button left as itself with a double click of its own: hooked, its
    // click its own input, the double click Vela's.
    model.setTriggers(Slot::M, {{}, {}, action::Key{ChordModifier::None, 68}, {}});
    EXPECT_TRUE(hooks.hooked(Slot::M) && !model.at(Slot::M).remapped);
    hooks.refreshTriggers();
    const ButtonTriggers& middle = engine.told.of(MouseButton::Middle);
    EXPECT_TRUE(middle.doubleClick && middle.ownClick && middle.hold == HoldUse::None);
    rec.clear();
    presses.triggered(Slot::M, SlotTrigger::DoubleClick);
    EXPECT_EQ(rec.records(), (std::vector{key(68, false), key(68, true)}));
    model.setTriggers(Slot::M, {});
    EXPECT_FALSE(hooks.hooked(Slot::M));

    hooks.setPaused(true);
    EXPECT_EQ(engine.told, TriggerSet{});
}

// --- RepeatKey ------------------------------------------------------------------

class RepeatKeyTest : public ExecutorTest {
protected:
    // Presses `slot` at tick `now` and returns how many arrows went out.
    int pressAt(Slot slot, std::uint32_t now) {
        rec.clear();
        rec.tick = now;
        executor.onActivation(slot);
        int downs = 0;
        for (const InputRecord& r : rec.records()) downs += (r.flags & 2) == 0 ? 1 : 0;
        return downs;
    }
    void SetUp() override {
        give(Slot::X1, action::RepeatKey{39});
        give(Slot::X2, action::RepeatKey{37});
    }
};

TEST_F(RepeatKeyTest, FourthQuickPressOnwardsSendsThree) {
    EXPECT_EQ(pressAt(Slot::X1, 10'000), 1);  // first since start
    EXPECT_EQ(pressAt(Slot::X1, 20'000), 1);  // slow: starts over
    EXPECT_EQ(pressAt(Slot::X1, 20'100), 1);
    EXPECT_EQ(pressAt(Slot::X1, 20'200), 1);
    EXPECT_EQ(pressAt(Slot::X1, 20'300), 1);
    EXPECT_EQ(pressAt(Slot::X1, 20'400), 3);
    EXPECT_EQ(pressAt(Slot::X1, 20'500), 3);
    EXPECT_EQ(pressAt(Slot::X1, 21'001), 1);  // 501 ms: slow again
    EXPECT_EQ(pressAt(Slot::X1, 21'002), 1);
}

TEST_F(RepeatKeyTest, TheVeryFirstPressSendsOneHoweverSoon) {
    EXPECT_EQ(pressAt(Slot::X1, 0), 1);
    EXPECT_EQ(rec.trace(), "send:2");
}

TEST_F(RepeatKeyTest, ExactlyFiveHundredMillisecondsStillCountsAsQuick) {
    pressAt(Slot::X1, 1000);
    for (std::uint32_t t = 1500; t <= 2500; t += 500) EXPECT_EQ(pressAt(Slot::X1, t), 1);
    EXPECT_EQ(pressAt(Slot::X1, 3000), 3);  // fourth quick press
}

TEST_F(RepeatKeyTest, TickCounterWrapAroundIsStillAShortGap) {
    const std::uint32_t nearWrap = std::numeric_limits<std::uint32_t>::max() - 100;
    pressAt(Slot::X1, nearWrap - 300);
    pressAt(Slot::X1, nearWrap - 200);
    pressAt(Slot::X1, nearWrap);
    pressAt(Slot::X1, 50);  // 151 ms later, across the wrap
    EXPECT_EQ(pressAt(Slot::X1, 150), 3);
}

TEST_F(RepeatKeyTest, TwoSlotsShareOneStreak) {
    pressAt(Slot::X1, 1000);
    pressAt(Slot::X2, 1100);
    pressAt(Slot::X1, 1200);
    pressAt(Slot::X2, 1300);
    EXPECT_EQ(pressAt(Slot::X2, 1400), 3);
    EXPECT_EQ(rec.records()[0].virtualKey, 37);
}

TEST_F(RepeatKeyTest, AltTabSlotPausesThenSendsSeparateCalls) {
    give(Slot::AltTab, action::RepeatKey{39});
    for (std::uint32_t t = 0; t < 400; t += 100) pressAt(Slot::AltTab, t);
    EXPECT_EQ(pressAt(Slot::AltTab, 400), 3);
    EXPECT_EQ(rec.trace(), "sleep:30 send:1 send:1 send:1 send:1 send:1 send:1");
}

}  // namespace
}  // namespace vela
