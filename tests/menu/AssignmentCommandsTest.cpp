// Caption clicks and menu commands, observed through recording ports.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/TimerTasks.h"
#include "menu/AssignmentCommands.h"
#include "tests/support/LoaderLog.h"
#include "tests/support/MenuFakes.h"
#include "tests/support/RecordingPorts.h"

namespace vela::menu {
namespace {

using test::MenuFakes;
using test::Recorder;

// "Hold While Pressed", the first per-slot option.
constexpr std::uint16_t kHoldWhilePressedCommand = kSlotOptions[0].commandId;
static_assert(kSlotOptions[0].name == "hold");

class AssignmentCommandsTest : public ::testing::Test {
protected:
    Recorder rec;
    SlotModel model{rec, rec, rec};
    MenuFakes fakes{model};
    AssignmentCommands commands{model, {fakes, fakes, fakes, fakes}, L"Vela"};

    // Distinct values in every field, so a field written by mistake shows.
    static ButtonAssignment sentinel(bool hooked) {
        ButtonAssignment a;
        a.caption = L"old";
        a.remapped = hooked;
        a.action = action::Unknown{9, 77, 55};
        a.description = L"note";
        return a;
    }
    void prepare(Slot slot, bool hooked) {
        model.at(slot) = sentinel(hooked);
        model.followRemapped(slot);
        model.activeSlot = number(slot);
        rec.clear();
        fakes.log.clear();
    }
};

// ---- Opening the menu -------------------------------------------------------

TEST_F(AssignmentCommandsTest, CaptionClickSetsActiveSlotThenOpensMenuUnderTheButton) {
    for (Slot s : {Slot::R, Slot::M, Slot::X1, Slot::X2, Slot::WL, Slot::WR}) {
        fakes.log.clear();
        commands.openFunctionMenu(s);
        const int id = slotInfo(s).captionControl;
        // The buttons have a release to hold a function until; the tilt has none.
        const bool button = s != Slot::WL && s != Slot::WR;
        EXPECT_EQ(fakes.log,
                  (std::vector<std::string>{
                      "screenRect " + std::to_string(id),
                      "menu " + std::to_string(id + 15) + "," + std::to_string(id * 2 + 24 + 2) +
                          " active " + std::to_string(number(s)) + (button ? " hold off" : "")}));
        EXPECT_EQ(model.activeSlot, number(s));
    }
    EXPECT_TRUE(fakes.messages.empty());
    EXPECT_EQ(rec.trace(), "");  // opening changes nothing and saves nothing
}

TEST(AssignmentCommandsMacros, AScriptFromTheMenuIsAssignedAndReadAtOnce) {
    Recorder rec;
    SlotModel model{rec, rec, rec, &rec};
    MenuFakes fakes{model};
    test::LoaderLog loader;
    AssignmentCommands commands{model, {fakes, fakes, fakes, fakes, &fakes, &loader}, L"Vela"};
    fakes.scripts = {L"Copy All.txt", L"Games\\Reload.txt"};
    commands.openFunctionMenu(Slot::X1);
    EXPECT_EQ(fakes.log.back(), "menu 1017,2030 active 3 hold off scripts 2");
    rec.clear();
    EXPECT_TRUE(commands.onCommand(kFirstScriptCommand + 1));
    const ButtonAssignment& a = model.at(Slot::X1);
    EXPECT_EQ(a.caption, L"Reload");
    EXPECT_EQ(a.action, Action(action::Macro{L"Games\\Reload.txt"}));
    EXPECT_TRUE(a.remapped);
    EXPECT_EQ(loader.loads, (std::vector<std::pair<int, std::wstring>>{{3, L"Games\\Reload.txt"}}));
    EXPECT_EQ(rec.trace(), "release:X1 caption:X1 install:X1 repaint timer:7/10")
        << "the slot's playback is stopped before its script is read";

    // A command past the list, and "Open Macro Folder".
    EXPECT_TRUE(commands.onCommand(kFirstScriptCommand + 2));
    EXPECT_EQ(loader.loads.size(), 1u);
    EXPECT_TRUE(commands.onCommand(kOpenMacroFolderCommand));
    EXPECT_EQ(fakes.log.back(), "open folder");
    // The middle button plays no scripts: no Macro category for it.
    commands.openFunctionMenu(Slot::M);
    EXPECT_EQ(fakes.log.back(), "menu 1016,2028 active 2 hold off");
}

TEST_F(AssignmentCommandsTest, HoldWhilePressedTogglesForButtonsOnlyAndShowsItsCheck) {
    prepare(Slot::X2, true);
    EXPECT_TRUE(commands.onCommand(kHoldWhilePressedCommand));
    EXPECT_TRUE(model.at(Slot::X2).holdWhilePressed);
    EXPECT_EQ(rec.trace(), "timer:7/10") << "saved like any change, the caption kept";
    fakes.log.clear();
    commands.openFunctionMenu(Slot::X2);
    EXPECT_EQ(fakes.log.back().substr(fakes.log.back().size() - 8), " hold on");
    commands.onCommand(kHoldWhilePressedCommand);
    EXPECT_FALSE(model.at(Slot::X2).holdWhilePressed);
    // The wheel has no release: a stray command changes nothing.
    prepare(Slot::WU, true);
    EXPECT_TRUE(commands.onCommand(kHoldWhilePressedCommand));
    EXPECT_FALSE(model.at(Slot::WU).holdWhilePressed);
    EXPECT_EQ(rec.trace(), "");
}

TEST_F(AssignmentCommandsTest, AltTabCaptionWarnsEveryTimeBeforeTheMenu) {
    for (int i = 0; i < 2; ++i) commands.openFunctionMenu(Slot::AltTab);
    EXPECT_EQ(fakes.log, (std::vector<std::string>{
                             "message", "screenRect 1020", "menu 1035,2066 active 10 hold off",
                             "message", "screenRect 1020", "menu 1035,2066 active 10 hold off"}));
    const std::wstring warning =
        L"Alt+Tab Will Be Taken By Vela. Alt And Your Other Alt Shortcuts Keep Working.";
    EXPECT_EQ(fakes.messages, (std::vector<std::wstring>{warning, L"Vela", warning, L"Vela"}));
}

TEST_F(AssignmentCommandsTest, WheelCaptionsOpenTheirMenuTheDpiCaptionNothing) {
    // The wheel too can press a shortcut or type a text; it has no release
    // to hold a function until.
    EXPECT_TRUE(commands.openFunctionMenuForControl(1004));
    EXPECT_EQ(fakes.log, (std::vector<std::string>{"screenRect 1004", "menu 1019,2034 active 5"}));
    EXPECT_EQ(model.activeSlot, number(Slot::WD));
    fakes.log.clear();
    EXPECT_FALSE(commands.openFunctionMenuForControl(1006));
    EXPECT_FALSE(commands.openFunctionMenuForControl(1));
    EXPECT_TRUE(fakes.log.empty());
    EXPECT_EQ(model.activeSlot, number(Slot::WD));
}

// ---- Catalogue entries ------------------------------------------------------

// The assignment an entry should leave behind, from the old one.
ButtonAssignment expectedAfter(ButtonAssignment a, const CatalogueEntry& e) {
    a.caption = e.slotCaption;
    a.remapped = true;
    a.action = *actionOf(e);
    return a;
}

TEST_F(AssignmentCommandsTest, EveryEntryWritesOnlyItsOwnFieldsOnANativeSlot) {
    // X1 is native for "Forward" (15) only; every other entry remaps it.
    for (const CatalogueEntry& e : kCatalogue) {
        if (!actionOf(e) || e.kind == EntryKind::LayerWhileHeld) continue;
        if (e.commandId == 15) continue;
        SCOPED_TRACE(e.commandId);
        prepare(Slot::X1, false);
        ASSERT_TRUE(commands.onCommand(e.commandId));
        EXPECT_EQ(model.at(Slot::X1), expectedAfter(sentinel(false), e));
        EXPECT_EQ(rec.trace(), "caption:X1 install:X1 repaint timer:7/10");
        EXPECT_EQ(rec.calls().front().text, e.slotCaption);
        EXPECT_EQ(model.at(Slot::X2), ButtonAssignment{});  // no other slot touched
    }
}

TEST_F(AssignmentCommandsTest, EntryOnAnAlreadyRemappedSlotDoesNotInstallAgain) {
    prepare(Slot::M, true);
    ASSERT_TRUE(commands.onCommand(24));  // Copy(Ctrl+C)
    EXPECT_EQ(rec.trace(), "caption:M repaint timer:7/10");
    EXPECT_EQ(model.at(Slot::M), expectedAfter(sentinel(true), *findCatalogueEntry(24)));
    EXPECT_EQ(model.at(Slot::M).caption, L"Copy");
    EXPECT_EQ(model.at(Slot::M).action, Action(action::Key{ChordModifier::Control, 67}));
}

TEST_F(AssignmentCommandsTest, RightButtonOnRRemovesTheHookAndKeepsTheValues) {
    prepare(Slot::R, true);
    ASSERT_TRUE(commands.onCommand(131));
    EXPECT_EQ(rec.trace(), "caption:R remove:R repaint timer:7/10");
    ButtonAssignment want = sentinel(false);
    want.caption = L"Right Button";
    EXPECT_EQ(model.at(Slot::R), want);

    // Not remapped: only the caption, the repaint and the save.
    prepare(Slot::R, false);
    ASSERT_TRUE(commands.onCommand(131));
    EXPECT_EQ(rec.trace(), "caption:R repaint timer:7/10");
    EXPECT_EQ(model.at(Slot::R), want);
}

TEST_F(AssignmentCommandsTest, RightButtonOnMInstallsItsHookAndStoresARightClick) {
    prepare(Slot::M, false);
    ASSERT_TRUE(commands.onCommand(131));
    EXPECT_EQ(rec.trace(), "caption:M install:M repaint timer:7/10");
    EXPECT_TRUE(model.at(Slot::M).remapped);
    EXPECT_EQ(model.at(Slot::M).action, Action(action::Mouse{MouseFunction::RightClick}));
}

TEST_F(AssignmentCommandsTest, EachMouseEntryIsTheOwnFunctionOfExactlyItsSlot) {
    const std::map<std::uint16_t, Slot> own = {{131, Slot::R}, {14, Slot::M},  {15, Slot::X1},
                                               {16, Slot::X2}, {17, Slot::WU}, {18, Slot::WD}};
    for (const SlotInfo& info : kSlotTable) {
        for (std::uint16_t id : {12, 131, 14, 15, 16, 17, 18}) {
            SCOPED_TRACE(std::string(info.name) + " " + std::to_string(id));
            prepare(info.slot, true);
            ASSERT_TRUE(commands.onCommand(id));
            const bool isOwn = own.contains(id) && own.at(id) == info.slot;
            const std::string name(info.name);
            EXPECT_EQ(rec.trace(),
                      isOwn ? "caption:" + name + " remove:" + name + " repaint timer:7/10"
                            : "caption:" + name + " repaint timer:7/10");
            EXPECT_EQ(model.at(info.slot).remapped, !isOwn);
            EXPECT_EQ(model.at(info.slot).action,
                      isOwn ? sentinel(true).action
                            : Action(action::Mouse{findCatalogueEntry(id)->mouse}));
        }
    }
}

// ---- No Settings ------------------------------------------------------------

TEST_F(AssignmentCommandsTest, NoSettingsWritesTheNativeCaptionAndSavesAfterASecond) {
    for (const SlotInfo& info : kSlotTable) {
        SCOPED_TRACE(info.name);
        prepare(info.slot, true);
        ASSERT_TRUE(commands.onCommand(10));
        const std::string name(info.name);
        EXPECT_EQ(rec.trace(), "caption:" + name + " remove:" + name + " repaint timer:7/1000");
        ButtonAssignment want = sentinel(false);
        want.caption = info.nativeCaption;
        EXPECT_EQ(model.at(info.slot), want);
    }
    prepare(Slot::WL, false);
    commands.onCommand(10);
    EXPECT_EQ(rec.trace(), "caption:WL repaint timer:7/1000");
    EXPECT_EQ(model.at(Slot::WL).caption, L"Tilt Left");
}

TEST_F(AssignmentCommandsTest, NoSettingsAfterCalculatorKeepsTheLaunchForTheFile) {
    prepare(Slot::X2, false);
    commands.onCommand(51);
    commands.onCommand(10);
    EXPECT_FALSE(model.at(Slot::X2).remapped);
    EXPECT_EQ(model.at(Slot::X2).action, Action(action::Launch{L"calc.exe"}));
    EXPECT_EQ(model.at(Slot::X2).caption, L"Back");

    commands.onCommand(12);  // Left Button
    EXPECT_EQ(model.at(Slot::X2).action, Action(action::Mouse{MouseFunction::LeftClick}));
    EXPECT_EQ(rec.trace(),
              "caption:X2 install:X2 repaint timer:7/10 caption:X2 remove:X2 repaint "
              "timer:7/1000 caption:X2 install:X2 repaint timer:7/10");
}

TEST(AssignmentCommandsTiming, NoSettingsThenAKeyFunctionWithinASecondSavesOnce) {
    Recorder rec;
    SlotModel model(rec, rec, rec);
    TimerTasks timerTasks(rec, rec, rec, rec);
    std::vector<ButtonAssignment> saved;
    std::vector<std::uint64_t> saveTimes;
    const auto fire = [&](int id) {
        if (id == kSaveTimerId) {
            saved.push_back(model.at(Slot::R));
            saveTimes.push_back(rec.now());
        }
        timerTasks.onTimer(id);
    };
    MenuFakes fakes(model);
    AssignmentCommands commands(model, {fakes, fakes, fakes, fakes}, L"Vela");
    model.activeSlot = number(Slot::R);
    model.at(Slot::R).remapped = true;
    model.followRemapped(Slot::R);
    rec.clear();

    commands.onCommand(10);
    rec.advance(600, fire);
    commands.onCommand(40);  // Mute
    const std::uint64_t second = rec.now();
    rec.advance(5000, fire);

    EXPECT_EQ(rec.trace(),
              "caption:R remove:R repaint timer:7/1000 caption:R install:R repaint timer:7/10 "
              "kill:7 save");
    EXPECT_EQ(saveTimes, (std::vector<std::uint64_t>{second + 10}));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].caption, L"Mute");
    EXPECT_TRUE(saved[0].remapped);
    EXPECT_EQ(saved[0].action, Action(action::Key{ChordModifier::None, 173}));

    // A lone "No Settings" still saves, a second later.
    rec.clear();
    commands.onCommand(10);
    rec.advance(999, fire);
    EXPECT_EQ(rec.trace(), "caption:R remove:R repaint timer:7/1000");
    rec.advance(1, fire);
    EXPECT_EQ(rec.trace(), "caption:R remove:R repaint timer:7/1000 kill:7 save");
}

// ---- Keys and Shortcuts, Type Text -------------------------------------------

// The keyboard's names, as a German layout gives them.
struct GermanNames final : KeyNames {
    std::wstring keyName(std::uint16_t vk) override {
        return vk == 0xA2 ? L"Strg" : vk == 0xA0 ? L"Umschalt" : L"";
    }
};

class ShortcutCommandsTest : public AssignmentCommandsTest {
protected:
    GermanNames german;
    AssignmentCommands asking{
        model, {fakes, fakes, fakes, fakes, nullptr, nullptr, &fakes, &fakes, &german}, L"Vela"};
    const Shortcut reopenTab{modifier::LeftCtrl | modifier::LeftShift, 0x54};
};

TEST_F(ShortcutCommandsTest, AChosenShortcutOrTextIsTheSlotsUnderACaptionThatShowsIt) {
    prepare(Slot::WU, false);
    fakes.shortcutToGive = reopenTab;
    EXPECT_TRUE(asking.onCommand(kKeysAndShortcutsCommand));
    ButtonAssignment want = sentinel(false);
    want.caption = L"Strg+Umschalt+T";
    want.remapped = true;
    want.action = action::PressShortcut{reopenTab};
    EXPECT_TRUE(model.at(Slot::WU) == want) << "only the function and its caption change";
    EXPECT_EQ(rec.trace(), "caption:WU install:WU repaint timer:7/10");

    prepare(Slot::M, true);
    fakes.textToGive = L" Gr\u00fc\u00dfe,\r\n\u6771\u4eac \u20ac5 and a long tail of text here";
    EXPECT_TRUE(asking.onCommand(kTypeTextCommand));
    EXPECT_EQ(model.at(Slot::M).action, Action(action::TypeText{*fakes.textToGive}))
        << "typed as given, blanks too";
    EXPECT_EQ(model.at(Slot::M).caption,
              L"Gr\u00fc\u00dfe, \u6771\u4eac \u20ac5 and a long tail of text her\u2026");
    // Now each dialog starts from the slot's own; Cancel, or nothing to type,
    // changes nothing, and so does a command without the dialogs.
    const ButtonAssignment before = model.at(Slot::M);
    fakes.textToGive = L"";
    fakes.shortcutToGive.reset();
    rec.clear();
    asking.onCommand(kTypeTextCommand);
    asking.onCommand(kKeysAndShortcutsCommand);
    commands.onCommand(kTypeTextCommand);
    EXPECT_TRUE(model.at(Slot::M) == before);
    EXPECT_EQ(rec.trace(), "");
    EXPECT_EQ(fakes.dialogsOpenedWith,
              (std::vector<std::wstring>{L"", L"", before.as<action::TypeText>()->text, L""}));
}

TEST_F(ShortcutCommandsTest, TheMenuChecksTheSlotsShortcutOrTextAndShowsIt) {
    fakes.shortcutToGive = reopenTab;
    fakes.textToGive = L"user@example.com, with regards";
    asking.openFunctionMenu(Slot::X2);
    asking.onCommand(kKeysAndShortcutsCommand);
    asking.openFunctionMenu(Slot::X2);
    EXPECT_EQ(fakes.log.back(), "menu 1018,2032 active 4 hold off chosen 70");
    EXPECT_EQ(fakes.chosenDetail, L"Strg+Umschalt+T");
    asking.onCommand(kKeysAndShortcutsCommand);
    EXPECT_EQ(fakes.dialogsOpenedWith.back(), L"162+160+84") << "the dialog starts from it";
    asking.onCommand(kTypeTextCommand);
    asking.openFunctionMenu(Slot::X2);
    EXPECT_EQ(fakes.log.back(), "menu 1018,2032 active 4 hold off chosen 71");
    EXPECT_EQ(fakes.chosenDetail, L"user@example.com\u2026");
    asking.onCommand(kNoSettingsCommand);  // kept, but not the slot's function now
    asking.openFunctionMenu(Slot::X2);
    EXPECT_EQ(fakes.log.back(), "menu 1018,2032 active 4 hold off");
}

// ---- Run Software -----------------------------------------------------------

TEST_F(AssignmentCommandsTest, RunSoftwareAsksForAnExistingExe) {
    prepare(Slot::X1, false);
    EXPECT_TRUE(commands.onCommand(22));
    EXPECT_EQ(fakes.log, std::vector<std::string>{"file"});
    EXPECT_EQ(fakes.filter, L"EXE files(*.exe)|*.exe||");
    EXPECT_TRUE(fakes.hideReadOnly);
    EXPECT_TRUE(fakes.fileMustExist);
    EXPECT_EQ(fakes.defaultExtension, L"");
    EXPECT_EQ(fakes.initialFileName, L"");
    EXPECT_EQ(toPlatformFilter(fakes.filter), std::wstring(L"EXE files(*.exe)\0*.exe\0\0", 24));
}

TEST_F(AssignmentCommandsTest, CancellingTheFileDialogChangesNothing) {
    prepare(Slot::X1, true);
    fakes.fileToChoose.reset();
    commands.onCommand(22);
    EXPECT_EQ(rec.trace(), "");
    EXPECT_EQ(model.at(Slot::X1), sentinel(true));
}

TEST_F(AssignmentCommandsTest, ChosenProgramIsLaunchedUnderItsShortenedName) {
    struct Case {
        std::wstring name;
        std::wstring caption;
    };
    const std::vector<Case> cases = {
        {L"VeryLongProgramNameXY.exe", L"VeryLongProgramNam.."},  // 25
        {L"abcdefghijklmnopq.exe", L"abcdefghijklmnopq..."},      // 21
        {L"abcdefghijklmnop.exe", L"abcdefghijklmnop.exe"},       // 20
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(Slot::X2, false);
        const std::wstring path = L"C:\\Tools\\" + c.name;
        fakes.fileToChoose = ChosenFile{path, c.name};
        commands.onCommand(22);
        EXPECT_EQ(rec.trace(), "caption:X2 install:X2 repaint timer:7/10");
        EXPECT_EQ(rec.calls().front().text, c.caption);
        ButtonAssignment want = sentinel(true);
        want.caption = c.caption;
        want.action = action::Launch{path};
        EXPECT_EQ(model.at(Slot::X2), want);
    }
}

// ---- Stray commands and repainting -----------------------------------------

TEST_F(AssignmentCommandsTest, IdsOutsideTheCatalogueAreLeftToTheWindow) {
    prepare(Slot::R, false);
    for (std::uint32_t id : {0u, 1u, 11u, 13u, 53u, 61u, 1000u, 32782u}) {
        EXPECT_FALSE(commands.onCommand(id)) << id;
    }
    EXPECT_EQ(rec.trace(), "");
}

TEST_F(AssignmentCommandsTest, CommandsWithoutAnOpenedMenuTouchNoSlot) {
    for (int active : {0, 7, 11, -1}) {
        prepare(Slot::R, false);
        model.activeSlot = active;
        fakes.fileToChoose = ChosenFile{L"C:\\a.exe", L"a.exe"};
        for (std::uint32_t id : {10u, 12u, 22u, 24u, 131u}) EXPECT_TRUE(commands.onCommand(id));
        EXPECT_EQ(rec.trace(), "") << active;
        EXPECT_TRUE(fakes.log.empty()) << active;
        EXPECT_EQ(model.at(Slot::R), sentinel(false));
    }
}

TEST_F(AssignmentCommandsTest, RepaintInvalidatesUnderEveryCaptionInTableOrder) {
    repaintCaptions(fakes);
    std::vector<std::string> want;
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1010, 1019, 1020}) {
        want.push_back("clientRect " + std::to_string(id));
        want.push_back("invalidate " + std::to_string(id - 1000));
    }
    EXPECT_EQ(fakes.log, want);
}

// A button with a function offers "Double Click…" and "Long Press…": each
// opens the menu again, its choice goes to that trigger alone ("No Settings"
// clears it), and the rows show it. "Gestures…" makes the button's function
// Gestures and opens the dialog, whose rows choose through the menu too.
TEST_F(AssignmentCommandsTest, TriggerRowsChooseTheirOwnFunctionsThroughTheMenu) {
    struct Dialog final : GesturesDialogPort {
        int opened = 0;
        void editGestures(GestureEditing&) override { ++opened; }
    } dialog;
    MenuCommandPorts ports{fakes, fakes, fakes, fakes};
    ports.gestures = &dialog;
    AssignmentCommands c{model, ports, L"Vela"};
    const Action copy = action::Key{ChordModifier::Control, 67};
    const Action paste = action::Key{ChordModifier::Control, 86};
    const std::uint16_t pasteCommand = 21, copyCommand = 24;

    c.openFunctionMenu(Slot::X1);
    EXPECT_TRUE(fakes.shown.buttonRowsOffered && fakes.shown.triggerRowsOffered);
    ASSERT_TRUE(c.onCommand(copyCommand));
    c.openFunctionMenu(Slot::X1);
    ASSERT_TRUE(c.onCommand(kDoubleClickCommand));
    EXPECT_FALSE(fakes.shown.buttonRowsOffered || fakes.shown.scripts) << "the choice menu";
    ASSERT_TRUE(c.onCommand(pasteCommand));
    EXPECT_EQ(model.at(Slot::X1).action, copy);
    EXPECT_EQ(model.at(Slot::X1).triggers.doubleClick, std::optional(paste));
    c.openFunctionMenu(Slot::X1);
    ASSERT_EQ(fakes.shown.marked.size(), 1u);
    EXPECT_EQ(fakes.shown.marked[0].detail, L"Paste Text");
    ASSERT_TRUE(c.onCommand(kLongPressCommand));
    ASSERT_TRUE(c.onCommand(kNoSettingsCommand));
    c.openFunctionMenu(Slot::X1);
    ASSERT_TRUE(c.onCommand(kDoubleClickCommand));
    EXPECT_EQ(fakes.shown.chosenCommand, pasteCommand);
    ASSERT_TRUE(c.onCommand(kNoSettingsCommand));
    EXPECT_EQ(model.at(Slot::X1).triggers, TriggerFunctions()) << "cleared, nothing else";
    EXPECT_TRUE(model.at(Slot::X1).remapped);

    int heard = 0;
    c.listenToGestures([&] { ++heard; });
    c.openFunctionMenu(Slot::X1);
    ASSERT_TRUE(c.onCommand(kGesturesCommand));
    EXPECT_EQ(dialog.opened, 1);
    EXPECT_TRUE(model.at(Slot::X1).as<action::Gestures>());
    EXPECT_EQ(model.at(Slot::X1).caption, L"Gestures");
    c.chooseGesture(static_cast<std::size_t>(GestureDirection::Left), {5, 6});
    ASSERT_TRUE(c.onCommand(copyCommand));
    c.setGestureRepeat(static_cast<std::size_t>(GestureDirection::Left), true);
    EXPECT_EQ(c.gestureCaptions(), (std::array<std::wstring, kGestureRows>{
                                       L"Not Set", L"Not Set", L"Copy", L"Not Set",
                                       L"Its Own Click"}));
    EXPECT_EQ(c.gestureRepeats(), (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(heard, 2);
    ASSERT_TRUE(c.onCommand(copyCommand));
    EXPECT_EQ(model.at(Slot::X1).action, copy) << "after a choice, commands are the caption's";

    // A layer's button: its own click and drag, on by default for the
    // middle button, off for the side buttons, either way as chosen.
    for (Slot button : {Slot::M, Slot::X2}) {
        c.openFunctionMenu(button);
        ASSERT_TRUE(c.onCommand(kLayerWhileHeldCommand));
        c.openFunctionMenu(button);
        const bool byDefault = button == Slot::M;
        EXPECT_EQ(fakes.shown.layerOwnClick, std::optional(byDefault));
        ASSERT_TRUE(c.onCommand(kLayerOwnClickCommand));
        EXPECT_EQ(model.at(button).action, Action(action::LayerWhileHeld{!byDefault}));
    }

    // Drag to Scroll: its axis and speed rows follow it.
    c.openFunctionMenu(Slot::X1);
    ASSERT_TRUE(c.onCommand(kDragScrollCommand));
    ASSERT_TRUE(c.onCommand(kScrollOneAxisCommand));
    ASSERT_TRUE(c.onCommand(kFirstScrollSpeedCommand + 2));
    EXPECT_EQ(model.at(Slot::X1).action, Action(action::DragScroll{false, kScrollSpeeds[2]}));
    c.openFunctionMenu(Slot::X1);
    ASSERT_TRUE(fakes.shown.scroll);
    EXPECT_TRUE(!fakes.shown.scroll->oneAxis && fakes.shown.scroll->speed == 200);
}

}  // namespace
}  // namespace vela::menu
