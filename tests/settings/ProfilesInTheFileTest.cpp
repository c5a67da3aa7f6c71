// Program profiles in the settings file: the "[Profiles]" list as people and
// older versions leave it, program names kept exactly, and sections of the
// same name that are not (or no longer) a profile's; and beside them the
// mouse tuning's "[Mouse]" section, which every save here carries along.
#include <gtest/gtest.h>

#include <memory>

#include "core/ProgramFiles.h"
#include "macro/MacroScriptLoader.h"
#include "settings/ButtonSettingsStore.h"
#include "settings/SettingsText.h"
#include "settings/Windows1252.h"
#include "tests/support/MemoryFilePort.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

const std::wstring kProfilesModule = L"C:\\Vela\\Vela.exe";
const std::wstring kProfilesPath = L"C:\\Vela\\QmSetting.ini";

ButtonAssignment function(const wchar_t* caption, std::uint8_t vk) {
    ButtonAssignment a;
    a.caption = caption;
    a.remapped = true;
    a.action = action::Key{ChordModifier::Control, vk};
    return a;
}

class ProfilesInTheFile : public ::testing::Test {
protected:
    test::Recorder rec;
    SlotModel model{rec, rec, rec};
    test::MemoryFilePort fs;
    Windows1252 ansi;
    MacroScriptLoader loader{fs, L"C:\\Vela", std::make_shared<MacroScripts>()};
    OverlaySet profiles;
    MouseTuning tuning;
    bool notices = false;

    void put(std::wstring_view text) { fs.files[kProfilesPath] = encodeUtf16LeWithBom(text); }
    std::wstring saved() { return decodeSettingsText(fs.files.at(kProfilesPath), ansi).text; }
    void save() { store(profiles).saveAll(); }
    // The profiles the file holds now, each as "program:" and the slots it sets.
    std::vector<std::wstring> read() {
        OverlaySet fresh;
        SlotModel all{rec, rec, rec};
        ButtonSettingsStore s(all, loader, {fs, ansi, rec}, kProfilesModule, true);
        s.useOverlays(&fresh);
        s.loadAll();
        std::vector<std::wstring> out;
        for (const Overlay& p : fresh.all()) {
            std::wstring line = overlayName(p.key) + L":";
            for (const SlotInfo& info : kSlotTable)
                if (p.sets(info.slot))
                    line += L" " + std::wstring(info.name.begin(), info.name.end());
            out.push_back(line);
        }
        return out;
    }
    void load() {
        profiles = {};
        store(profiles).loadAll();
    }
    ButtonSettingsStore store(OverlaySet& set) {
        ButtonSettingsStore s(model, loader, {fs, ansi, rec}, kProfilesModule, true);
        s.useOverlays(&set);
        s.useMouseTuning(&tuning);
        s.useNoticeOption(&notices);
        return s;
    }
};

constexpr std::wstring_view kTwoSections =
    L"[a.exe]\r\nX1.0=Paste\r\nX1.1=1\r\nX1.2=2\r\nX1.3=86\r\nX1.6=1\r\n"
    L"[c.exe]\r\nX2.0=Cut\r\nX2.1=1\r\nX2.2=2\r\nX2.3=88\r\nX2.6=1\r\n";

// Every numbered program of the list is read, in the numbers' order, whatever
// gaps the list has; a save writes the list again without them and leaves no
// section of a profile behind when it goes.
TEST_F(ProfilesInTheFile, EveryListedProgramIsReadWhateverTheGaps) {
    for (const wchar_t* list :
         {L"1=a.exe\r\n2=\r\n3=c.exe\r\n", L"1=a.exe\r\n3=c.exe\r\n", L"3=c.exe\r\n1=a.exe\r\n",
          L"2=a.exe\r\nnote=x\r\n10=c.exe\r\n", L"01=a.exe\r\n2=\"\"\r\n7=c.exe\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(list)));
        put(L"[Profiles]\r\n" + std::wstring(list) + std::wstring(kTwoSections));
        load();
        EXPECT_EQ(read(), (std::vector<std::wstring>{L"a.exe: X1", L"c.exe: X2"}));
        save();
        EXPECT_NE(saved().find(L"[Profiles]\r\n1=a.exe\r\n2=c.exe\r\n"), std::wstring::npos);
        EXPECT_EQ(read(), (std::vector<std::wstring>{L"a.exe: X1", L"c.exe: X2"}));
        profiles.remove(ProgramKey{L"c.exe"});
        save();
        EXPECT_EQ(saved().find(L"c.exe"), std::wstring::npos) << "nothing of c.exe left";
    }
}

// A name is kept exactly (a leading blank too) and found in any case: a
// section written "Über.exe" is the profile of "üBER.EXE".
TEST_F(ProfilesInTheFile, ProgramNamesAreKeptExactlyAndMatchInAnyCase) {
    profiles.add(ProgramKey{L" spaced.exe"}).slots[Slot::X1] = function(L"Paste", 86);
    save();
    EXPECT_EQ(read(), (std::vector<std::wstring>{L" spaced.exe: X1"}));

    put(L"[Profiles]\r\n1=\u00FCBER.EXE\r\n[\u00DCber.exe]\r\nX1.0=Paste\r\nX1.1=1\r\n");
    load();
    ASSERT_NE(profiles.find(ProgramKey{L"\u00DCber.exe"}), nullptr);
    EXPECT_TRUE(profiles.find(ProgramKey{L"\u00DCber.exe"})->sets(Slot::X1));

    // A hand-edited list naming a program twice, once with a blank before it:
    // both names read the one section, so they are one profile, and a change
    // made to it is what the next save keeps.
    put(L"[Profiles]\r\n1=notepad.exe\r\n2=\" notepad.exe\"\r\n"
        L"[notepad.exe]\r\nX1.0=Paste\r\nX1.1=1\r\nX1.2=2\r\nX1.3=86\r\nX1.6=1\r\n");
    load();
    EXPECT_EQ(profiles.all().size(), 1u);
    profiles.find(ProgramKey{L"notepad.exe"})->slots[Slot::X1] = function(L"Cut", 88);
    save();
    EXPECT_NE(saved().find(L"X1.0=Cut"), std::wstring::npos) << testing::PrintToString(saved());
    EXPECT_EQ(read(), (std::vector<std::wstring>{L"notepad.exe: X1"}));
}

// A section of the same name as a profile that is not Vela's keeps its own
// keys through every save, and gives none to the profile; when the profile
// goes, the section is as it was, byte for byte.
TEST_F(ProfilesInTheFile, AnotherProgramsSectionIsNeitherTakenOverNorLost) {
    const std::wstring theirs = L"[notepad.exe]\r\nFont=Consolas\r\nWrap=1\r\n";
    const std::wstring other = L"[Other]\r\nX1.0=not ours\r\n";
    put(theirs + other);
    load();
    EXPECT_TRUE(profiles.all().empty());
    profiles.add(ProgramKey{L"notepad.exe"}).slots[Slot::X1] = function(L"Paste", 86);
    save();
    EXPECT_EQ(read(), (std::vector<std::wstring>{L"notepad.exe: X1"}));
    EXPECT_NE(saved().find(L"[notepad.exe]\r\nFont=Consolas\r\nWrap=1\r\nX1.0=Paste\r\n"),
              std::wstring::npos);

    profiles.remove(ProgramKey{L"notepad.exe"});
    save();
    EXPECT_EQ(saved().substr(0, theirs.size() + other.size()), theirs + other);
    EXPECT_EQ(saved().find(L"X1.1"), std::wstring::npos);
}

// A section left over from a profile no longer listed (an older version
// dropped it from the list): its keys are no new profile's assignments, not
// even for a moment between two saves.
TEST_F(ProfilesInTheFile, AnOrphanedSectionsKeysNeverBecomeANewProfiles) {
    put(L"[game.exe]\r\nR.0=Left Click\r\nR.1=1\r\nR.4=0\r\nR.6=0\r\n");
    load();
    EXPECT_TRUE(profiles.all().empty());
    profiles.add(ProgramKey{L"Game.exe"});
    save();
    EXPECT_EQ(read(), (std::vector<std::wstring>{L"Game.exe:"}));
    EXPECT_EQ(saved().find(L"R.0"), std::wstring::npos);
}

// A note of a profile's own under a function it inherits is the slot's note
// key alone; a slot the profile sets reads as it always did.
TEST_F(ProfilesInTheFile, ANoteOfItsOwnIsTheNoteKeyAlone) {
    Overlay& made = profiles.add(ProgramKey{L"editor.exe"});
    made.notes[Slot::X2] = L"cuts here";
    made.slots[Slot::X1] = function(L"Paste", 86);
    made.slots[Slot::X1]->description = L"pastes";
    save();
    const std::wstring file = saved();
    EXPECT_NE(file.find(L"[editor.exe]\r\nX1.0=Paste\r\n"), std::wstring::npos);
    EXPECT_NE(file.find(L"X1.8=pastes\r\nX2.8=cuts here\r\n"), std::wstring::npos);
    EXPECT_EQ(file.find(L"X2.0"), std::wstring::npos);

    load();
    const Overlay& read = *profiles.find(ProgramKey{L"editor.exe"});
    EXPECT_FALSE(read.sets(Slot::X2));
    EXPECT_EQ(read.notes[Slot::X2], L"cuts here");
    EXPECT_EQ(read.slots[Slot::X1]->description, L"pastes");
    EXPECT_FALSE(read.notes[Slot::X1]);
}

// The "[Mouse]" section is read at start and written only where a value
// changed: a hand-edited one stays as it stands, a deleted profile beside it
// or not; a change rewrites its own line in place and adds a missing key at
// the section's end.
TEST_F(ProfilesInTheFile, TheMouseSectionIsWrittenOnlyWhereAValueChanged) {
    const std::wstring mouse =
        L"[Mouse]\r\n; worn left button\r\n chatterleft = 1\r\nChatterLeftMs=45\r\n"
        L"WheelNotches=30\r\nTheme=dark\r\n";
    put(mouse + L"\r\n" + std::wstring(kTwoSections) + L"[Profiles]\r\n1=a.exe\r\n");
    load();
    MouseTuning expected;
    expected.of(MouseButton::Left) = {true, 45};
    expected.wheelNotches = kMaxWheelNotches;
    EXPECT_EQ(tuning, expected);
    profiles.remove(ProgramKey{L"a.exe"});
    save();
    EXPECT_EQ(saved().find(L"[Profiles]"), std::wstring::npos);
    EXPECT_NE(saved().find(mouse + L"\r\n"), std::wstring::npos);

    tuning.of(MouseButton::Left).on = false;
    tuning.reverseHorizontal = true;
    save();
    EXPECT_NE(saved().find(L"[Mouse]\r\n; worn left button\r\nChatterLeft=0\r\nChatterLeftMs=45\r\n"
                           L"WheelNotches=30\r\nTheme=dark\r\nWheelReverseHorizontal=1\r\n"),
              std::wstring::npos);
    const MouseTuning written = tuning;
    load();
    EXPECT_EQ(tuning, written);
}

// "Show Profile Changes" lives in a "[Vela]" section, off where the file
// does not say: a file without it is saved byte for byte as it was while the
// option stays off, and once written the key changes only with the option.
TEST_F(ProfilesInTheFile, TheNoticeOptionIsWrittenOnlyOnceItChanged) {
    const std::wstring theirs =
        L"[Other]\r\nx=1\r\n[Profiles]\r\n1=a.exe\r\n" + std::wstring(kTwoSections).substr(0, 54);
    put(theirs);
    load();
    save();  // the inputs' sections join it
    const auto before = fs.files.at(kProfilesPath);
    notices = true;
    load();
    EXPECT_FALSE(notices);
    save();
    EXPECT_EQ(fs.files.at(kProfilesPath), before);
    EXPECT_EQ(saved().find(L"[Vela]"), std::wstring::npos);

    notices = true;
    save();
    EXPECT_NE(saved().find(L"[Vela]\r\nShowProfileChanges=1\r\n"), std::wstring::npos);
    load();
    EXPECT_TRUE(notices);

    put(theirs + L"[Vela]\r\n showprofilechanges = 2 \r\n");
    load();
    EXPECT_TRUE(notices);
    save();
    EXPECT_NE(saved().find(L"[Vela]\r\n showprofilechanges = 2 \r\n"), std::wstring::npos);
    notices = false;
    save();
    EXPECT_NE(saved().find(L"[Vela]\r\nShowProfileChanges=0\r\n"), std::wstring::npos);
}

// A layer's section holds what it sets and notes as a profile's does, and its
// tap under its button's own name; it reads back as saved, keys that are not
// Vela's stay, and a file without one (today's) has no layer and gets none.
TEST_F(ProfilesInTheFile, ALayerReadsBackAsSavedBesideWhatIsNotOurs) {
    const std::wstring theirs = std::wstring(kTwoSections) + L"[Layer:X2]\r\nmine=1\r\n";
    const auto store = [&](OverlaySet& layers) {
        ButtonSettingsStore s(model, loader, {fs, ansi, rec}, kProfilesModule, true);
        s.useOverlays(&layers);
        return s;
    };
    put(theirs);
    OverlaySet made;
    store(made).loadAll();
    EXPECT_TRUE(made.all().empty()) << "no key of Vela's: no layer";
    Overlay& back = made.add(LayerKey{Slot::X2});
    back.slots[Slot::WU] = function(L"Volume Up", 175);
    back.notes[Slot::R] = L"closes";
    back.slots[Slot::X2] = function(L"Copy", 67);
    store(made).saveAll();
    EXPECT_NE(saved().find(L"[Layer:X2]\r\nmine=1\r\nR.8=closes\r\nWU.0=Volume Up\r\n"),
              std::wstring::npos);
    OverlaySet read;
    store(read).loadAll();
    ASSERT_NE(read.find(LayerKey{Slot::X2}), nullptr);
    EXPECT_TRUE(read.find(LayerKey{Slot::X2})->slots == back.slots &&
                read.find(LayerKey{Slot::X2})->notes == back.notes);
    made.remove(LayerKey{Slot::X2});
    store(made).saveAll();
    EXPECT_EQ(saved().substr(0, theirs.size() + 1), theirs + L"[");
}

// Vela off in a program is "Off=1" in its section, written only while on:
// a file without it reads and saves as it always did.
// Window profiles stand in "[Window:N]" sections, read in the numbers' order
// after the programs' profiles; a section naming neither class nor title is
// none. A save numbers them afresh from 1 and keeps what is not Vela's; once
// so, a save that changed nothing writes the same text again.
TEST_F(ProfilesInTheFile, WindowProfilesAreReadByTheirNumbersAndWrittenBackInPlace) {
    put(L"[Profiles]\r\n1=a.exe\r\n"
        L"[a.exe]\r\nX1.0=Paste\r\nX1.1=1\r\nX1.2=2\r\nX1.3=86\r\nX1.6=1\r\n"
        L"[Window:10]\r\nTitle=*Mail*\r\nX2.0=Cut\r\nX2.1=1\r\nX2.2=2\r\nX2.3=88\r\nX2.6=1\r\n"
        L"[Window:3]\r\nProgram=b.exe\r\nmine=1\r\n"
        L"[window:02]\r\nProgram=f.exe\r\nClass=Moz\r\nOff=1\r\n");
    const std::vector<std::wstring> expected{L"a.exe: X1", L"f.exe (Moz):",
                                             L"Any Program \u2013 \u201C*Mail*\u201D: X2"};
    EXPECT_EQ(read(), expected);
    load();
    EXPECT_TRUE(profiles.find(WindowKey{L"F.EXE", L"moz"})->velaOff);
    save();
    EXPECT_EQ(read(), expected) << "nothing lost";
    const std::wstring text = saved();
    EXPECT_NE(text.find(L"[Window:3]\r\nmine=1\r\n"), std::wstring::npos) << "not ours: kept";
    EXPECT_NE(text.find(L"[Window:1]\r\nProgram=f.exe\r\nClass=Moz\r\nOff=1\r\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"[Window:2]\r\nTitle=*Mail*\r\nX2.0=Cut\r\n"), std::wstring::npos);
    EXPECT_EQ(text.find(L"Window:10"), std::wstring::npos);
    load();
    save();
    EXPECT_EQ(saved(), text);
}

TEST_F(ProfilesInTheFile, VelaOffIsOffEqualsOneWrittenOnlyWhileOn) {
    put(L"[Profiles]\r\n1=a.exe\r\n2=b.exe\r\n[a.exe]\r\nmine=1\r\n"
        L"X1.0=Paste\r\nX1.1=1\r\nX1.2=2\r\nX1.3=86\r\nX1.6=1\r\n");
    load();
    save();
    const std::wstring without = saved();
    load();
    ASSERT_EQ(profiles.all().size(), 2u);
    EXPECT_FALSE(profiles.find(ProgramKey{L"a.exe"})->velaOff);
    save();
    EXPECT_EQ(saved(), without) << "as it was";

    profiles.find(ProgramKey{L"a.exe"})->velaOff = true;
    profiles.find(ProgramKey{L"b.exe"})->velaOff = true;
    save();
    std::wstring with = without + L"[b.exe]\r\nOff=1\r\n";
    with.insert(with.find(L"mine=1\r\n") + 8, L"Off=1\r\n");
    EXPECT_EQ(saved(), with);
    load();
    EXPECT_TRUE(profiles.find(ProgramKey{L"b.exe"})->velaOff) << "a profile of nothing else";
    save();
    EXPECT_EQ(saved(), with);
    profiles.find(ProgramKey{L"a.exe"})->velaOff = false;
    profiles.find(ProgramKey{L"b.exe"})->velaOff = false;
    save();
    EXPECT_EQ(saved(), without);
}

}  // namespace
}  // namespace vela
