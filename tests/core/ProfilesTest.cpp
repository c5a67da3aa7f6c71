#include <gtest/gtest.h>

#include "core/PausableHooks.h"
#include "core/Profiles.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

using test::Recorder;

ButtonAssignment keyFunction(const wchar_t* caption, KeyAction action, std::uint8_t vk) {
    ButtonAssignment a;
    a.caption = caption;
    a.hookInstalled = true;
    a.actionGroup = toRaw(ActionGroup::KeyGroup);
    a.keyAction = toRaw(action);
    a.virtualKey = vk;
    return a;
}

ButtonAssignment native(const wchar_t* caption) {
    ButtonAssignment a;
    a.caption = caption;
    return a;
}

TEST(ProfileSet, ProgramsAreFoundWithoutRegardToCaseAndAddedOnce) {
    ProfileSet set;
    ProgramProfile& notepad = set.add(L"Notepad.exe");
    notepad.slots[Slot::X1] = keyFunction(L"Paste", KeyAction::CtrlCombo, 86);
    EXPECT_EQ(&set.add(L"NOTEPAD.EXE"), &notepad);
    EXPECT_EQ(set.find(L"notepad.exe"), &notepad);
    EXPECT_TRUE(notepad.sets(Slot::X1));
    EXPECT_FALSE(notepad.sets(Slot::X2));
    EXPECT_EQ(set.find(L"notepad"), nullptr);
    // Beyond ASCII too, as the file system compares: one profile for both.
    ProgramProfile& uber = set.add(L"\u00FCBER.EXE");
    EXPECT_EQ(set.find(L"\u00DCber.exe"), &uber);
    EXPECT_EQ(&set.add(L"\u00DCBER.exe"), &uber);
    set.remove(L"\u00FCber.EXE");
    EXPECT_TRUE(set.remove(L"notepad.EXE"));
    EXPECT_FALSE(set.remove(L"notepad.exe"));
    EXPECT_TRUE(set.all().empty());
}

// The program in front picks the profile: its slots override "All Programs",
// the rest inherit, and a slot it leaves alone passes natively.
TEST(ActiveAssignments, TheProgramInFrontPicksEachSlotsAssignment) {
    Recorder rec;
    SlotModel all{rec, rec, rec};
    all.at(Slot::X1) = keyFunction(L"Copy", KeyAction::CtrlCombo, 67);
    all.at(Slot::X2) = keyFunction(L"Cut", KeyAction::CtrlCombo, 88);
    ProfileSet profiles;
    profiles.add(L"editor.exe").slots[Slot::X1] = keyFunction(L"Paste", KeyAction::CtrlCombo, 86);
    profiles.add(L"game.exe").slots[Slot::X2] = native(L"Back");
    ActiveAssignments active(all, profiles);

    EXPECT_EQ(active.assignmentFor(Slot::X1).caption, L"Copy") << "no program yet";
    active.setForeground(L"Editor.exe");
    EXPECT_EQ(active.assignmentFor(Slot::X1).caption, L"Paste");
    EXPECT_EQ(active.assignmentFor(Slot::X2).caption, L"Cut") << "inherited";
    EXPECT_EQ(active.overriddenSlots(), SlotSet{Slot::X1});
    EXPECT_EQ(active.overridesRemapped(), SlotSet{Slot::X1});
    active.setForeground(L"game.exe");
    EXPECT_EQ(active.assignmentFor(Slot::X1).caption, L"Copy");
    EXPECT_FALSE(active.assignmentFor(Slot::X2).hookInstalled);
    EXPECT_EQ(active.overriddenSlots(), SlotSet{Slot::X2});
    EXPECT_EQ(active.overridesRemapped(), SlotSet());
    active.setForeground(L"explorer.exe");
    EXPECT_EQ(active.active(), nullptr);
    EXPECT_EQ(active.overriddenSlots(), SlotSet());
}

TEST(PausableHooks, AProfilesSlotsFollowTheProfileAndPauseStillWins) {
    Recorder libraries, rec;
    PausableHooks hooks(libraries);
    SlotModel model{hooks, rec, rec};
    model.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    libraries.clear();
    // A profile that leaves X1 alone and remaps X2.
    hooks.setOverrides({Slot::X1, Slot::X2}, {Slot::X2});
    EXPECT_EQ(libraries.trace(), "remove:X1 install:X2");
    libraries.clear();
    model.revertToNative(Slot::X1);  // "All Programs" changes under the profile
    EXPECT_EQ(libraries.trace(), "");
    hooks.setPaused(true);
    EXPECT_EQ(libraries.trace(), "remove:X2");
    libraries.clear();
    hooks.setOverrides({}, {});  // back to "All Programs", still paused
    hooks.setPaused(false);
    EXPECT_EQ(libraries.trace(), "") << "All Programs remaps nothing now";
}

// Switching programs: the profile's slots follow it, what they held goes up,
// scripts are read again; a program without a profile, or the same profile
// again, changes nothing.
TEST(ProfileRuntime, ASwitchLetsGoOfTheSlotsItChangesAndMovesTheirHooks) {
    Recorder libraries, rec;
    PausableHooks hooks(libraries);
    SlotModel all{hooks, rec, rec};
    all.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    ProfileSet profiles;
    profiles.add(L"game.exe").slots[Slot::X1] = native(L"Forward");
    profiles.add(L"editor.exe").slots[Slot::X2] = keyFunction(L"Paste", KeyAction::CtrlCombo, 86);
    ActiveAssignments active(all, profiles);
    int rereads = 0;
    ProfileRuntime runtime(active, hooks, &rec, [&] { ++rereads; });
    libraries.clear();
    rec.clear();

    runtime.foregroundChanged(L"GAME.EXE");
    EXPECT_EQ(libraries.trace(), "remove:X1");
    EXPECT_EQ(rec.trace(), "release:X1");
    runtime.foregroundChanged(L"game.exe");  // the same profile
    runtime.foregroundChanged(L"Editor.exe");
    EXPECT_EQ(libraries.trace(), "remove:X1 install:X1 install:X2");
    EXPECT_EQ(rec.trace(), "release:X1 release:X1 release:X2");
    runtime.foregroundChanged(L"explorer.exe");
    EXPECT_EQ(libraries.trace(), "remove:X1 install:X1 install:X2 remove:X2");
    EXPECT_EQ(rereads, 3);
    rec.clear();
    runtime.foregroundChanged(L"calc.exe");
    EXPECT_EQ(rec.trace(), "") << "no profile before, none now";
}

}  // namespace
}  // namespace vela
