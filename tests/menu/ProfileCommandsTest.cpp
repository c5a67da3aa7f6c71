// The profile caption's menu and editing a program's profile through the
// function menu, observed through recording ports.
#include <gtest/gtest.h>

#include "core/PausableHooks.h"
#include "core/ProfileEditor.h"
#include "menu/AssignmentCommands.h"
#include "menu/ProfileCommands.h"
#include "settings/ProfileFile.h"
#include "settings/Windows1252.h"
#include "tests/support/MemoryFilePort.h"
#include "tests/support/MenuFakes.h"
#include "tests/support/RecordingPorts.h"

namespace vela::menu {
namespace {

using test::MenuFakes;
using test::ProfileMenuFakes;
using test::Recorder;

constexpr std::uint16_t kPasteCommand = 25;

std::vector<std::wstring> texts(const std::vector<ProfileMenuRow>& rows) {
    std::vector<std::wstring> out;
    for (const ProfileMenuRow& row : rows) out.push_back(row.text + (row.checked ? L" *" : L""));
    return out;
}

class ProfileEditing : public ::testing::Test {
protected:
    Recorder libraries;  // the hook libraries, behind the pause
    Recorder rec;        // view, timers, release
    Recorder noHooks;    // the profile model's hooks: the runtime places those
    PausableHooks hooks{libraries};
    SlotModel all{hooks, rec, rec, &rec};
    SlotModel profileModel{noHooks, rec, rec, &rec};
    OverlaySet profiles;
    OverlayStack active{all, profiles};
    ProfileRuntime runtime{active, hooks, &rec, nullptr};
    ProfileEditor editor{all, profileModel, profiles, runtime, rec, rec};
    MenuFakes fakes{profileModel};
    ProfileMenuFakes profileMenu;
    AssignmentCommands commands{all, {fakes, fakes, fakes, fakes}, L"Vela"};
    ProfileCommands profileCommands{editor, profiles, profileMenu, profileMenu, fakes};

    void SetUp() override {
        commands.useEditor(&editor);
        all.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
        all.assign(Slot::X2, L"Cut", action::Key{ChordModifier::Control, 88});
        ButtonAssignment paste = all.at(Slot::X1);
        paste.caption = L"Paste";
        paste.action = action::Key{ChordModifier::Control, 86};
        profiles.add(ProgramKey{L"editor.exe"}).slots[Slot::X1] = paste;
        runtime.profilesChanged();
        libraries.clear();
        rec.clear();
    }
    // The forward and back buttons' captions and marks, and the profile caption.
    std::string captionsAndMarks() {
        std::string out;
        for (const test::Call& c : rec.calls()) {
            const bool side = c.slot == "X1" || c.slot == "X2";
            if (c.what == "caption" && side)
                out += c.slot + "=" + std::string(c.text.begin(), c.text.end()) + " ";
            if ((c.what == "inherited" || c.what == "own") && side) out += c.what + c.slot + " ";
            if (c.what == "profile") out += "[" + std::string(c.text.begin(), c.text.end()) + "] ";
        }
        return out;
    }
};

TEST_F(ProfileEditing, AProfileShowsItsOwnSlotsAndDimsWhatItInherits) {
    profileMenu.programs = {L"editor.exe"};
    profileCommands.openMenu();
    ASSERT_TRUE(profileMenu.shown);
    ASSERT_TRUE(profileCommands.onCommand(kFirstProfileCommand));
    EXPECT_EQ(editor.editing(), L"editor.exe");
    EXPECT_EQ(captionsAndMarks(), "X1=Paste ownX1 X2=Cut inheritedX2 [editor.exe] ");
    EXPECT_TRUE(editor.inherits(Slot::X2));
    EXPECT_FALSE(editor.inherits(Slot::X1));

    rec.clear();
    ASSERT_TRUE(profileCommands.onCommand(kAllProgramsCommand));
    EXPECT_EQ(editor.editing(), L"");
    EXPECT_EQ(captionsAndMarks(), "X1=Copy ownX1 X2=Cut ownX2 [All Programs] ");
    EXPECT_EQ(libraries.trace(), "") << "looking at a profile changes no hook";
}

// A choice made while a profile is shown is the profile's: "All Programs"
// keeps its function, the slot stops inheriting, the change is saved and acts
// at once where the program is in front.
TEST_F(ProfileEditing, AChoiceInAProfileChangesOnlyTheProfile) {
    runtime.foregroundChanged({L"Editor.exe"});
    editor.edit(L"editor.exe");
    libraries.clear();
    rec.clear();

    commands.openFunctionMenu(Slot::X2);
    commands.onCommand(kPasteCommand);
    EXPECT_EQ(all.at(Slot::X2).caption, L"Cut");
    ASSERT_TRUE(profiles.find(ProgramKey{L"editor.exe"})->sets(Slot::X2));
    EXPECT_EQ(profiles.find(ProgramKey{L"editor.exe"})->slots[Slot::X2]->action,
              Action(action::Key{ChordModifier::Control, 86}));
    EXPECT_FALSE(editor.inherits(Slot::X2));
    EXPECT_NE(captionsAndMarks().find("ownX2"), std::string::npos);
    EXPECT_EQ(active.assignmentFor(Slot::X2).action,
              Action(action::Key{ChordModifier::Control, 86}))
        << "acts at once in the editor";
    EXPECT_EQ(libraries.trace(), "") << "X2's hook was in for All Programs already";
    EXPECT_NE(rec.trace().find("timer:7"), std::string::npos) << "saved";

    // "No Settings" in the profile: the button is left alone in that program.
    libraries.clear();
    commands.openFunctionMenu(Slot::X1);
    commands.onCommand(kNoSettingsCommand);
    EXPECT_EQ(libraries.trace(), "remove:X1");
    EXPECT_TRUE(all.at(Slot::X1).remapped) << "All Programs still copies";
    EXPECT_EQ(active.assignmentFor(Slot::X1).remapped, false);
}

// A note typed in a profile for an input it inherits is the profile's own;
// the function stays inherited and follows "All Programs".
TEST_F(ProfileEditing, ANoteUnderAnInheritedInputLeavesTheFunctionInherited) {
    runtime.foregroundChanged({L"editor.exe"});
    editor.edit(L"editor.exe");
    rec.clear();
    editor.editNote(Slot::X2, [] { return std::wstring(L"cuts here"); });
    const Overlay& profile = *profiles.find(ProgramKey{L"editor.exe"});
    EXPECT_FALSE(profile.sets(Slot::X2)) << "the function is still inherited";
    EXPECT_TRUE(editor.inherits(Slot::X2));
    EXPECT_EQ(all.at(Slot::X2).description, L"") << "All Programs keeps its own note";
    EXPECT_NE(rec.trace().find("label:X2"), std::string::npos);
    EXPECT_NE(rec.trace().find("timer:7"), std::string::npos) << "saved";

    all.assign(Slot::X2, L"Paste", action::Key{ChordModifier::Control, 86});
    EXPECT_EQ(active.assignmentFor(Slot::X2).action,
              Action(action::Key{ChordModifier::Control, 86}))
        << "follows All Programs";
    editor.edit(L"");
    rec.clear();
    editor.edit(L"editor.exe");
    EXPECT_EQ(captionsAndMarks(), "X1=Paste ownX1 X2=Paste inheritedX2 [editor.exe] ");
    EXPECT_EQ(profileModel.at(Slot::X2).description, L"cuts here");

    // A function chosen later makes the slot the profile's, note and all.
    commands.openFunctionMenu(Slot::X2);
    commands.onCommand(kPasteCommand);
    ASSERT_TRUE(profile.sets(Slot::X2));
    EXPECT_EQ(profile.slots[Slot::X2]->description, L"cuts here");
}

// The note goes to the profile shown when the entry opened, whatever the
// window shows when it is confirmed (the tray's Reset shows "All Programs"),
// and nowhere when that profile is gone by then.
TEST_F(ProfileEditing, ANoteGoesToTheProfileShownWhenItsEntryOpened) {
    editor.edit(L"editor.exe");
    editor.editNote(Slot::X1, [&] {
        editor.edit(L"");
        return std::wstring(L"pastes");
    });
    EXPECT_EQ(profiles.find(ProgramKey{L"editor.exe"})->slots[Slot::X1]->description, L"pastes");
    EXPECT_EQ(all.at(Slot::X1).description, L"");

    editor.edit(L"editor.exe");
    editor.editNote(Slot::X1, [&] {
        editor.deleteEdited();
        return std::wstring(L"lost");
    });
    EXPECT_EQ(all.at(Slot::X1).description, L"");
    EXPECT_EQ(profiles.find(ProgramKey{L"editor.exe"}), nullptr);

    editor.editNote(Slot::X2, [] { return std::nullopt; });
    EXPECT_EQ(all.at(Slot::X2).description, L"") << "cancelled";
}

TEST_F(ProfileEditing, TheMenuOffersTheOpenProgramsWithoutAProfileAndDeletesTheEditedOne) {
    profileMenu.programs = {L"notepad.exe", L"Editor.exe", L"Calc.exe", L""};
    profileCommands.openMenu();
    ASSERT_TRUE(profileMenu.shown);
    EXPECT_EQ(texts(profileMenu.shown->profiles),
              (std::vector<std::wstring>{L"All Programs *", L"editor.exe"}));
    EXPECT_EQ(texts(profileMenu.shown->newFor),
              (std::vector<std::wstring>{L"Calc.exe", L"notepad.exe"}));
    EXPECT_FALSE(profileMenu.shown->canDelete) << "All Programs cannot be deleted";
    EXPECT_EQ(profileMenu.shown->newFor[1].commandId, kFirstNewProfileCommand + 1);

    runtime.foregroundChanged({L"notepad.exe"});
    libraries.clear();
    ASSERT_TRUE(profileCommands.onCommand(kFirstNewProfileCommand + 1));
    EXPECT_EQ(editor.editing(), L"notepad.exe");
    ASSERT_NE(profiles.find(ProgramKey{L"notepad.exe"}), nullptr);
    EXPECT_NE(rec.trace().find("timer:7"), std::string::npos) << "saved";
    EXPECT_EQ(libraries.trace(), "") << "a new profile sets nothing: all inherited";
    EXPECT_TRUE(editor.inherits(Slot::X1));

    commands.openFunctionMenu(Slot::X1);
    commands.onCommand(kNoSettingsCommand);
    EXPECT_EQ(libraries.trace(), "remove:X1");

    profileCommands.openMenu();
    EXPECT_TRUE(profileMenu.shown->canDelete);
    EXPECT_EQ(texts(profileMenu.shown->profiles),
              (std::vector<std::wstring>{L"All Programs", L"editor.exe", L"notepad.exe *"}));
    libraries.clear();
    ASSERT_TRUE(profileCommands.onCommand(kDeleteProfileCommand));
    EXPECT_EQ(profiles.find(ProgramKey{L"notepad.exe"}), nullptr);
    EXPECT_EQ(editor.editing(), L"");
    EXPECT_EQ(libraries.trace(), "install:X1") << "notepad.exe inherits the copy again";
    EXPECT_FALSE(profileCommands.onCommand(kProfileCommands.last + 1));
}

// The layers of the buttons set to "Layer While Held" (in All Programs or a
// profile) follow the profiles in the menu. One shown is edited as a profile
// is, its button's caption choosing the tap; each change ends a held layer.
// "Layer While Held" is offered on the buttons, outside a layer.
TEST_F(ProfileEditing, ALayerIsListedShownAndChangedAsAProfileIs) {
    OverlaySet& layers = profiles;
    int layerChanges = 0;
    editor.onLayerChange([&] { ++layerChanges; });
    profiles.find(ProgramKey{L"editor.exe"})->slots[Slot::M] = all.at(Slot::X1);
    profiles.find(ProgramKey{L"editor.exe"})->slots[Slot::M]->action = action::LayerWhileHeld{};
    commands.openFunctionMenu(Slot::WU);
    EXPECT_FALSE(fakes.shown.buttonRowsOffered);
    commands.openFunctionMenu(Slot::X2);
    commands.onCommand(kLayerWhileHeldCommand);
    commands.openFunctionMenu(Slot::X2);
    EXPECT_TRUE(fakes.shown.buttonRowsOffered && fakes.shown.options.empty());
    EXPECT_EQ(fakes.shown.chosenCommand, kLayerWhileHeldCommand);

    profileCommands.openMenu();
    EXPECT_EQ(texts(profileMenu.shown->layers),
              (std::vector<std::wstring>{L"While Middle Button Held", L"While Back Held"}));
    rec.clear();
    ASSERT_TRUE(profileCommands.onCommand(profileMenu.shown->layers[1].commandId));
    EXPECT_EQ(captionsAndMarks(), "X1=Copy inheritedX1 X2=Back ownX2 [While Back Held] ");
    commands.openFunctionMenu(Slot::X1);
    EXPECT_FALSE(fakes.shown.buttonRowsOffered) << "no layer inside a layer";
    commands.onCommand(kPasteCommand);
    commands.openFunctionMenu(Slot::X2);
    EXPECT_TRUE(fakes.shown.options.empty()) << "a tap is never held";
    commands.onCommand(kPasteCommand);
    editor.editNote(Slot::WU, [] { return std::wstring(L"louder"); });
    const Overlay& back = *layers.find(LayerKey{Slot::X2});
    EXPECT_EQ(back.slots[Slot::X1]->caption, L"Paste");
    EXPECT_EQ(tapOf(&back).caption, L"Paste");
    EXPECT_EQ(back.notes[Slot::WU], L"louder");
    EXPECT_EQ(all.at(Slot::X1).caption + all.at(Slot::X2).caption, L"CopyLayer While Held");
    EXPECT_EQ(layerChanges, 2);

    profileCommands.openMenu();
    EXPECT_TRUE(profileMenu.shown->deletesLayer);
    ASSERT_TRUE(profileCommands.onCommand(kDeleteProfileCommand));
    EXPECT_EQ(layers.find(LayerKey{Slot::X2}), nullptr);
    EXPECT_EQ(layerChanges, 3);
}

// "Vela Off in This Program" is a row of a program's profile only, checked
// while on; a choice saves and, where that program is in front, takes every
// hook out at once (and the next puts back what is wanted).
TEST_F(ProfileEditing, VelaOffIsARowOfAProgramsProfileOnlyAndActsAtOnce) {
    profileCommands.openMenu();
    EXPECT_EQ(profileMenu.shown->velaOff, std::nullopt) << "not for All Programs";
    editor.editOverlay(LayerKey{Slot::X2});
    profileCommands.openMenu();
    EXPECT_EQ(profileMenu.shown->velaOff, std::nullopt) << "not for a layer";
    rec.clear();
    EXPECT_TRUE(profileCommands.onCommand(kVelaOffCommand));
    EXPECT_EQ(rec.trace(), "") << "nothing to turn off";

    runtime.foregroundChanged({L"Editor.exe"});
    editor.edit(L"editor.exe");
    profileCommands.openMenu();
    EXPECT_EQ(profileMenu.shown->velaOff, std::optional<bool>(false));
    libraries.clear();
    rec.clear();
    ASSERT_TRUE(profileCommands.onCommand(kVelaOffCommand));
    EXPECT_TRUE(profiles.find(ProgramKey{L"editor.exe"})->velaOff);
    EXPECT_NE(rec.trace().find("timer:7"), std::string::npos) << "saved";
    EXPECT_EQ(libraries.trace(), "remove:X1 remove:X2") << "in front: off at once";
    profileCommands.openMenu();
    EXPECT_EQ(profileMenu.shown->velaOff, std::optional<bool>(true));
    libraries.clear();
    ASSERT_TRUE(profileCommands.onCommand(kVelaOffCommand));
    EXPECT_EQ(libraries.trace(), "install:X1 install:X2");
}

// "The Window Under the Pointer…" makes the window profile the picker's
// fields name and shows it; the menu lists it after the programs' profiles,
// and Vela Off is a row of it too. Fields that name no class and no title
// make none.
TEST_F(ProfileEditing, AWindowPickedBecomesAProfileListedAfterThePrograms) {
    profileCommands.openMenu();
    EXPECT_FALSE(profileMenu.shown->offersWindowPick) << "no picker, no row";
    profileCommands.useWindowPicker(&profileMenu);
    profileMenu.picked = windowKeyFromFields(L"  C:\\Apps\\firefox.exe ", L"", L" *Mail* ");
    ASSERT_TRUE(profileCommands.onCommand(kPickWindowCommand));
    profileCommands.openMenu();
    EXPECT_TRUE(profileMenu.shown->offersWindowPick);
    EXPECT_EQ(texts(profileMenu.shown->profiles),
              (std::vector<std::wstring>{L"All Programs", L"editor.exe",
                                         L"firefox.exe \u2013 \u201C*Mail*\u201D *"}));
    EXPECT_EQ(profileMenu.shown->velaOff, std::optional<bool>(false));
    EXPECT_TRUE(profileMenu.shown->velaOffForWindows);
    EXPECT_EQ(windowKeyFromFields(L"a.exe", L" ", L""), std::nullopt);
    ASSERT_TRUE(profileCommands.onCommand(kAllProgramsCommand));
    ASSERT_TRUE(profileCommands.onCommand(kFirstProfileCommand + 1));
    ASSERT_TRUE(editor.shown());
    EXPECT_TRUE(sameKey(*editor.shown(), WindowKey{L"FIREFOX.EXE", L"", L"*mail*"}));
}

// Profile files, through the real file form over files in memory.
class ProfileFiles : public ProfileEditing {
protected:
    test::MemoryFilePort fs;
    Windows1252 ansi;
    ProfileFile file{fs, ansi};
    ProfileFilePorts ports{fakes, fakes, fakes, file, L"Vela"};

    void SetUp() override {
        ProfileEditing::SetUp();
        profileCommands.useFiles(&ports);
    }
    void choose(const wchar_t* path, const wchar_t* name) {
        fakes.fileToSave = fakes.fileToChoose = ChosenFile{path, name};
    }
};

TEST_F(ProfileFiles, ExportsTheEditedProfileOrAllAndImportsThemBack) {
    profileCommands.openMenu();
    EXPECT_TRUE(profileMenu.shown->offersFiles);
    EXPECT_FALSE(profileMenu.shown->canExportShown) << "All Programs is no profile";
    EXPECT_TRUE(profileMenu.shown->canExportAll);

    editor.edit(L"editor.exe");
    ASSERT_TRUE(profileCommands.onCommand(kExportProfileCommand));
    EXPECT_TRUE(fs.files.empty()) << "cancelled";
    EXPECT_EQ(fakes.suggestedName, L"editor.velaprofile");
    EXPECT_EQ(fakes.defaultExtension, L"velaprofile");
    EXPECT_EQ(fakes.filter, kProfileFileFilter);

    choose(L"C:\e.velaprofile", L"e.velaprofile");
    ASSERT_TRUE(profileCommands.onCommand(kExportProfileCommand));
    profiles.add(ProgramKey{L"other.exe"});
    ASSERT_TRUE(profileCommands.onCommand(kExportAllProfilesCommand));
    EXPECT_EQ(fakes.suggestedName, L"Vela Profiles.velaprofile");
    EXPECT_EQ(file.readProfiles(L"C:\e.velaprofile")->size(), 2u) << "written over";

    // Deleted, then imported: back as it was, saved, and its hooks in where
    // the program is in front.
    const Overlay exported = *profiles.find(ProgramKey{L"editor.exe"});
    editor.deleteEdited();
    runtime.foregroundChanged({L"editor.exe"});
    libraries.clear();
    rec.clear();
    ASSERT_TRUE(profileCommands.onCommand(kImportProfileCommand));
    EXPECT_TRUE(fakes.fileMustExist);
    ASSERT_NE(profiles.find(ProgramKey{L"editor.exe"}), nullptr);
    EXPECT_TRUE(profiles.find(ProgramKey{L"editor.exe"})->slots == exported.slots);
    EXPECT_NE(rec.trace().find("timer:7"), std::string::npos) << "saved";
    EXPECT_EQ(active.assignmentFor(Slot::X1).caption, L"Paste") << "acts at once";
    EXPECT_EQ(fakes.log.back(), "question") << "other.exe is there: asked, and No kept it";
}

// An overlay there is already is replaced only when the user says Yes.
TEST_F(ProfileFiles, ReplacingAProfileOrLayerThereIsAsksFirst) {
    profiles.add(LayerKey{Slot::X2}).slots[Slot::WU] = all.at(Slot::X1);
    choose(L"C:\e.velaprofile", L"e.velaprofile");
    ASSERT_TRUE(profileCommands.onCommand(kExportAllProfilesCommand));
    const OverlaySet before = profiles;
    const struct {
        std::vector<bool> answers;
        bool profileReplaced;
        bool layerReplaced;
    } cases[] = {
        {{true, true}, true, true}, {{false, true}, false, true}, {{false, false}, false, false}};
    for (const auto& c : cases) {
        profiles = before;
        profiles.find(ProgramKey{L"editor.exe"})->slots[Slot::M] = all.at(Slot::X2);
        profiles.find(LayerKey{Slot::X2})->slots[Slot::WD] = all.at(Slot::X2);
        fakes.messages.clear();
        fakes.answers = c.answers;
        ASSERT_TRUE(profileCommands.onCommand(kImportProfileCommand));
        EXPECT_EQ(fakes.messages,
                  (std::vector<std::wstring>{
                      L"A profile for editor.exe exists already. Replace it with the one in "
                      L"e.velaprofile?",
                      L"Vela",
                      L"The layer \"While Back Held\" exists already. Replace it with the one in "
                      L"e.velaprofile?",
                      L"Vela"}));
        EXPECT_EQ(!profiles.find(ProgramKey{L"editor.exe"})->slots[Slot::M], c.profileReplaced);
        EXPECT_EQ(!profiles.find(LayerKey{Slot::X2})->slots[Slot::WD], c.layerReplaced);
    }
}

TEST_F(ProfileFiles, AFileThatHoldsNoProfileChangesNothing) {
    fs.files[L"C:\notes.txt"] = test::bytesOf("[Profiles]\r\n1=a.exe\r\n[a.exe]\r\nX1.2=two\r\n");
    choose(L"C:\notes.txt", L"notes.txt");
    const OverlaySet before = profiles;
    rec.clear();
    ASSERT_TRUE(profileCommands.onCommand(kImportProfileCommand));
    EXPECT_EQ(fakes.messages,
              (std::vector<std::wstring>{L"notes.txt holds no Vela profile.", L"Vela"}));
    EXPECT_EQ(profiles.all().size(), before.all().size());
    EXPECT_TRUE(profiles.find(ProgramKey{L"editor.exe"})->slots == before.all()[0].slots);
    EXPECT_EQ(rec.trace().find("timer:7"), std::string::npos) << "nothing to save";
}

}  // namespace
}  // namespace vela::menu
