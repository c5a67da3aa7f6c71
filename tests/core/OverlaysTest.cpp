#include <gtest/gtest.h>

#include "core/OverlayNotice.h"
#include "core/PausableHooks.h"
#include "core/ProfileRuntime.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

using test::Recorder;

ButtonAssignment keyFunction(const wchar_t* caption, ChordModifier modifier, std::uint8_t vk) {
    ButtonAssignment a;
    a.caption = caption;
    a.remapped = true;
    a.action = action::Key{modifier, vk};
    return a;
}

ButtonAssignment native(const wchar_t* caption) {
    ButtonAssignment a;
    a.caption = caption;
    return a;
}

// One overlay per key: programs as the file system compares their names,
// layers by their button, a program's never a layer's.
TEST(OverlaySet, ProgramsAreFoundWithoutRegardToCaseAndEachKeyAddedOnce) {
    OverlaySet set;
    Overlay& notepad = set.add(ProgramKey{L"Notepad.exe"});
    notepad.slots[Slot::X1] = keyFunction(L"Paste", ChordModifier::Control, 86);
    EXPECT_EQ(&set.add(ProgramKey{L"NOTEPAD.EXE"}), &notepad);
    EXPECT_EQ(set.find(ProgramKey{L"notepad.exe"}), &notepad);
    EXPECT_TRUE(notepad.sets(Slot::X1));
    EXPECT_FALSE(notepad.sets(Slot::X2));
    EXPECT_EQ(set.find(ProgramKey{L"notepad"}), nullptr);
    // Beyond ASCII too, as the file system compares: one profile for both.
    Overlay& uber = set.add(ProgramKey{L"\u00FCBER.EXE"});
    EXPECT_EQ(set.find(ProgramKey{L"\u00DCber.exe"}), &uber);
    EXPECT_EQ(&set.add(ProgramKey{L"\u00DCBER.exe"}), &uber);
    set.add(LayerKey{Slot::X2}).slots[Slot::X2] = keyFunction(L"Copy", ChordModifier::Control, 67);
    EXPECT_FALSE(set.find(LayerKey{Slot::X2})->sets(Slot::X2)) << "a layer's button holds its tap";
    EXPECT_EQ(set.find(LayerKey{Slot::X1}), nullptr);
    const std::vector<const Overlay*> profiles = set.profiles();
    ASSERT_EQ(profiles.size(), 2u) << "no layer among them";
    EXPECT_EQ(profiles[1], set.find(ProgramKey{L"\u00DCber.exe"})) << "in the order made";
    set.remove(ProgramKey{L"\u00FCber.EXE"});
    EXPECT_TRUE(set.remove(ProgramKey{L"notepad.EXE"}));
    EXPECT_FALSE(set.remove(ProgramKey{L"notepad.exe"}));
    EXPECT_TRUE(set.remove(LayerKey{Slot::X2}));
    EXPECT_TRUE(set.all().empty());
}

// The window's profile is the most specific of those that take it (program,
// class and title named over two of them over one), the first listed of
// equals (programs' profiles are listed first); names compare without regard
// to case, titles as patterns.
TEST(WindowProfiles, TheMostSpecificMatchActsAndTiesGoToTheFirstListed) {
    const struct {
        const wchar_t* pattern;
        const wchar_t* text;
        bool matches;
    } patterns[] = {{L"*", L"", true},
                    {L"?", L"", false},
                    {L"", L"", true},
                    {L"", L"x", false},
                    {L"a*b", L"aXXb", true},
                    {L"a*b", L"aXXbc", false},
                    {L"*TUBE", L"YouTube", true},
                    {L"you?ube", L"YOUTUBE", true},
                    {L"a*b*c", L"abbbc", true},
                    {L"*.txt", L"a.txt.bak", false},
                    {L"**x", L"x", true},
                    {L"\u03C3*", L"\u03A3x", true}};
    for (const auto& p : patterns)
        EXPECT_EQ(matchesPattern(p.pattern, p.text), p.matches)
            << testing::PrintToString(std::wstring(p.pattern)) << " "
            << testing::PrintToString(std::wstring(p.text));

    OverlaySet set;
    set.add(WindowKey{L"firefox.exe", L"", L"* - YouTube*"});
    set.add(WindowKey{L"", L"", L"*Mail*"});
    set.add(WindowKey{L"firefox.exe", L"MozillaWindowClass", L"* - YouTube*"});
    set.add(ProgramKey{L"firefox.exe"});
    set.add(WindowKey{L"", L"SunAwtFrame"});
    set.add(WindowKey{L"", L"", L"*mail*"});
    const struct {
        WindowIdentity window;
        const wchar_t* profile;
    } rows[] = {
        {{L"firefox.exe", L"MozillaWindowClass", L"Cats - YouTube - Firefox"},
         L"firefox.exe \u2013 \u201C* - YouTube*\u201D (MozillaWindowClass)"},
        {{L"FIREFOX.EXE", L"Other", L"Cats - YOUTUBE"},
         L"firefox.exe \u2013 \u201C* - YouTube*\u201D"},
        {{L"firefox.exe", L"MozillaWindowClass", L"Inbox - Mail"}, L"firefox.exe"},
        {{L"thunderbird.exe", L"", L"MAIL"}, L"Any Program \u2013 \u201C*Mail*\u201D"},
        {{L"java.exe", L"sunawtframe", L""}, L"Any Program (SunAwtFrame)"},
        {{L"notepad.exe", L"Edit", L""}, nullptr},
        {{}, nullptr},
    };
    for (const auto& row : rows) {
        const Overlay* found = set.profileFor(row.window);
        EXPECT_EQ(found ? overlayName(found->key) : L"-", row.profile ? row.profile : L"-")
            << testing::PrintToString(row.window.title);
    }
}

// The held layer, then the program in front, then "All Programs": the first
// that sets a slot gives its function, and a slot set but not remapped
// passes natively.
TEST(OverlayStack, TheHeldLayerThenTheProgramInFrontPickEachSlotsAssignment) {
    Recorder rec;
    SlotModel all{rec, rec, rec};
    all.at(Slot::X1) = keyFunction(L"Copy", ChordModifier::Control, 67);
    all.at(Slot::X2) = keyFunction(L"Cut", ChordModifier::Control, 88);
    OverlaySet overlays;
    overlays.add(ProgramKey{L"editor.exe"}).slots[Slot::X1] =
        keyFunction(L"Paste", ChordModifier::Control, 86);
    overlays.add(ProgramKey{L"game.exe"}).slots[Slot::X2] = native(L"Back");
    Overlay& layer = overlays.add(LayerKey{Slot::M});
    layer.slots[Slot::X2] = keyFunction(L"Undo", ChordModifier::Control, 90);
    layer.slots[Slot::M] = keyFunction(L"Tap", ChordModifier::Control, 84);
    OverlayStack active(all, overlays);

    EXPECT_EQ(active.assignmentFor(Slot::X1).caption, L"Copy") << "no program yet";
    active.setForeground({L"Editor.exe"});
    EXPECT_EQ(active.assignmentFor(Slot::X1).caption, L"Paste");
    EXPECT_EQ(active.assignmentFor(Slot::X2).caption, L"Cut") << "inherited";
    EXPECT_EQ(active.profile()->setSlots(), SlotSet{Slot::X1});
    EXPECT_EQ(active.profile()->remappedSlots(), SlotSet{Slot::X1});
    active.setHeldLayer(Slot::M);
    EXPECT_EQ(active.assignmentFor(Slot::X1).caption + active.assignmentFor(Slot::X2).caption,
              L"PasteUndo");
    EXPECT_EQ(active.tapOf(Slot::M).caption, L"Tap");
    EXPECT_EQ(active.tapOf(Slot::X1), ButtonAssignment()) << "no layer: its own input";
    EXPECT_EQ(active.layerHooksAdded(), SlotSet()) << "X2 is remapped below already";
    active.setForeground({L"game.exe"});
    EXPECT_EQ(active.layerHooksAdded(), SlotSet{Slot::X2});
    active.setHeldLayer(std::nullopt);
    EXPECT_EQ(active.assignmentFor(Slot::X1).caption, L"Copy");
    EXPECT_FALSE(active.assignmentFor(Slot::X2).remapped);
    EXPECT_EQ(active.profile()->setSlots(), SlotSet{Slot::X2});
    EXPECT_EQ(active.profile()->remappedSlots(), SlotSet());
    active.setForeground({L"explorer.exe"});
    EXPECT_EQ(active.profile(), nullptr);
}

TEST(PausableHooks, AProfilesSlotsFollowTheProfileAndPauseStillWins) {
    Recorder libraries, rec;
    PausableHooks hooks(libraries);
    SlotModel model{hooks, rec, rec};
    model.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
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
    all.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
    OverlaySet profiles;
    profiles.add(ProgramKey{L"game.exe"}).slots[Slot::X1] = native(L"Forward");
    profiles.add(ProgramKey{L"editor.exe"}).slots[Slot::X2] =
        keyFunction(L"Paste", ChordModifier::Control, 86);
    OverlayStack active(all, profiles);
    int rereads = 0;
    ProfileRuntime runtime(active, hooks, &rec, [&] { ++rereads; });
    libraries.clear();
    rec.clear();

    runtime.foregroundChanged({L"GAME.EXE"});
    EXPECT_EQ(libraries.trace(), "remove:X1");
    EXPECT_EQ(rec.trace(), "release:X1");
    runtime.foregroundChanged({L"game.exe"});  // the same profile
    runtime.foregroundChanged({L"Editor.exe"});
    EXPECT_EQ(libraries.trace(), "remove:X1 install:X1 install:X2");
    EXPECT_EQ(rec.trace(), "release:X1 release:X1 release:X2");
    runtime.foregroundChanged({L"explorer.exe"});
    EXPECT_EQ(libraries.trace(), "remove:X1 install:X1 install:X2 remove:X2");
    EXPECT_EQ(rereads, 3);
    rec.clear();
    runtime.foregroundChanged({L"calc.exe"});
    EXPECT_EQ(rec.trace(), "") << "no profile before, none now";
}

}  // namespace
}  // namespace vela

namespace vela {
namespace {

struct Names final : OverlayListener {
    std::vector<std::wstring> heard;
    void nowApplies(const std::wstring& name) override { heard.push_back(name); }
};

// Whoever listens hears what applies after each move of the stack, named as
// the profile menu names it: the program's profile, "All Programs" for a
// program without one, the held button's layer over either.
TEST(OverlayStack, TellsItsListenerWhatAppliesAfterEachMove) {
    Recorder rec;
    SlotModel all{rec, rec, rec};
    OverlaySet overlays;
    overlays.add(ProgramKey{L"Notepad.exe"}).slots[Slot::X1] = native(L"Forward");
    OverlayStack stack(all, overlays);
    Names names;
    stack.listen(&names);
    stack.setForeground({L"NOTEPAD.EXE"});
    stack.setHeldLayer(Slot::X2);
    stack.setForeground({L"calc.exe"});
    stack.setHeldLayer(std::nullopt);
    EXPECT_EQ(names.heard, (std::vector<std::wstring>{L"Notepad.exe", L"While Back Held",
                                                      L"While Back Held", L"All Programs"}));
}

}  // namespace
}  // namespace vela
