// A profile file: every kind of function, a layer and a note written out and
// read back as they were, and files Vela cannot read refused whole.
#include <gtest/gtest.h>

#include "core/StoredShortcut.h"
#include "settings/ProfileFile.h"
#include "settings/SettingsText.h"
#include "settings/Windows1252.h"
#include "tests/support/MemoryFilePort.h"

namespace vela {
namespace {

ButtonAssignment fn(const wchar_t* caption, Action action, bool hold = false) {
    ButtonAssignment a;
    a.caption = caption;
    a.remapped = true;
    a.action = std::move(action);
    a.holdWhilePressed = hold;
    return a;
}

// Two profiles that between them hold every kind of function, an empty one,
// and the back button's layer with its tap, a function and a note.
OverlaySet everyKind() {
    OverlaySet set;
    Overlay& one = set.add(ProgramKey{L"notepad.exe"});
    one.slots[Slot::R] = fn(L"Left", action::Mouse{MouseFunction::LeftClick});
    one.slots[Slot::M] = fn(L"Ctrl+C", action::Key{ChordModifier::Control, 67});
    one.slots[Slot::X1] = fn(L"Calc", action::Launch{L"C:\\Windows\\calc.exe"});
    one.slots[Slot::X2] = fn(L"Copy All", action::Macro{L"Sub\\Copy All.txt", 0});
    one.slots[Slot::WD] = fn(L"Down", action::RepeatKey{40});
    one.slots[Slot::WU] = fn(L"Switch", action::SwitchApps{});
    one.slots[Slot::WL] =
        fn(L"Ctrl+Shift+T", action::PressShortcut{*parseStoredShortcut(L"162+160+84")}, true);
    one.slots[Slot::WR] = fn(L"Sign", action::TypeText{L"Regards,\nJo \u6771\u4eac"});
    one.notes[Slot::AltTab] = L"left alone";
    Overlay& two = set.add(ProgramKey{L"\u00dcber.exe"});
    two.slots[Slot::X2] = fn(L"Layer While Held", action::LayerWhileHeld{});
    set.add(ProgramKey{L"empty.exe"});
    set.add(ProgramKey{L"game.exe"}).velaOff = true;
    Overlay& tab = set.add(WindowKey{L"firefox.exe", L"MozillaWindowClass", L"* - YouTube*"});
    tab.slots[Slot::X1] = fn(L"Play/Pause", action::Key{ChordModifier::None, 179});
    set.add(WindowKey{L"", L"", L"Remote ?esktop*"}).velaOff = true;
    Overlay& layer = set.add(LayerKey{Slot::X2});
    layer.slots[Slot::X2] = fn(L"Copy", action::Key{ChordModifier::Control, 67});
    layer.slots[Slot::WU] = fn(L"Volume Up", action::Key{ChordModifier::None, 175});
    layer.notes[Slot::WD] = L"quieter";
    return set;
}

std::vector<const Overlay*> pointers(const std::vector<Overlay>& overlays) {
    std::vector<const Overlay*> out;
    for (const Overlay& o : overlays) out.push_back(&o);
    return out;
}

TEST(ProfileFile, EveryFunctionALayerAndANoteReadBackAsWrittenAndWriteAgainTheSame) {
    test::MemoryFilePort fs;
    Windows1252 ansi;
    ProfileFile file(fs, ansi);
    const OverlaySet original = everyKind();
    ASSERT_TRUE(file.writeProfiles(L"C:\\out\\all.velaprofile", pointers(original.all())));
    const std::vector<std::uint8_t>& bytes = fs.files.at(L"C:\\out\\all.velaprofile");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF) << "UTF-16LE with its mark, as a new settings file";
    EXPECT_EQ(bytes[1], 0xFE);
    const std::wstring text = decodeSettingsText(bytes, ansi).text;
    EXPECT_NE(text.find(L"[Profiles]\r\n1=notepad.exe\r\n2=\u00dcber.exe\r\n3=empty.exe\r\n"),
              std::wstring::npos)
        << "the settings file's own form";
    EXPECT_NE(text.find(L"[Layer:X2]\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"X1.0=Calc\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"[game.exe]\r\nOff=1\r\n"), std::wstring::npos) << "Vela off";
    EXPECT_NE(text.find(L"[Window:1]\r\nProgram=firefox.exe\r\nClass=MozillaWindowClass\r\n"
                        L"Title=* - YouTube*\r\nX1.0=Play/Pause\r\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"[Window:2]\r\nTitle=Remote ?esktop*\r\nOff=1\r\n"), std::wstring::npos);

    const auto read = file.readProfiles(L"C:\\out\\all.velaprofile");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), original.all().size());
    for (std::size_t i = 0; i < read->size(); ++i) {
        const Overlay& was = original.all()[i];
        const Overlay& is = (*read)[i];
        EXPECT_TRUE(sameKey(is.key, was.key)) << overlayName(was.key);
        EXPECT_TRUE(is.slots == was.slots) << overlayName(was.key);
        EXPECT_TRUE(is.notes == was.notes) << overlayName(was.key);
        EXPECT_EQ(is.velaOff, was.velaOff) << overlayName(was.key);
    }
    ASSERT_TRUE(file.writeProfiles(L"C:\\out\\again.velaprofile", pointers(*read)));
    EXPECT_EQ(fs.files.at(L"C:\\out\\again.velaprofile"), bytes);
}

// Whatever in a file does not read, nothing of it is taken.
TEST(ProfileFile, AFileVelaCannotReadGivesNothing) {
    const std::wstring good = L"[Profiles]\r\n1=a.exe\r\n[a.exe]\r\nX1.0=Paste\r\nX1.1=1\r\n";
    const struct {
        const char* what;
        std::wstring text;
    } cases[] = {
        {"empty", L""},
        {"another program's", L"[Window]\r\nLeft=10\r\n"},
        {"the settings alone", L"[X1ButtonSetting]\r\n0=Copy\r\n1=1\r\n"},
        {"binary", std::wstring(L"[Profiles]\r\n1=a.exe\r\n\x01\x02", 22)},
        {"a number that is none", good + L"X1.2=two\r\nX1.6=1\r\n"},
        {"a chord that is none", good + L"X1.2=9\r\nX1.6=1\r\nX1.Keys=banana\r\n"},
        {"an unknown function", good + L"X1.2=77\r\nX1.6=1\r\n"},
        {"a path for a program", L"[Profiles]\r\n1=C:\\a.exe\r\n"},
        {"a path for a window's program", L"[Window:1]\r\nProgram=C:\\a.exe\r\nTitle=a\r\n"},
        {"a function without its caption", good + L"X2.1=1\r\nX2.2=2\r\nX2.3=86\r\n"},
        {"a good profile, a bad layer", good + L"[Layer:X2]\r\nWU.0=Up\r\nWU.6=x\r\n"},
    };
    for (const auto& c : cases) EXPECT_FALSE(overlaysInProfileText(c.text)) << c.what;
    EXPECT_TRUE(overlaysInProfileText(good + L"X1.2=2\r\nX1.3=86\r\nX1.6=1\r\n"));
    // A chord left empty where the slot does nothing is as Vela writes it.
    const auto unset =
        overlaysInProfileText(good + L"X2.0=Keys\r\nX2.1=0\r\nX2.2=9\r\nX2.6=1\r\nX2.Keys=\r\n");
    ASSERT_TRUE(unset);
    std::vector<const Overlay*> again{&unset->front()};
    EXPECT_TRUE(overlaysInProfileText(profileFileText(again)));

    test::MemoryFilePort fs;
    Windows1252 ansi;
    EXPECT_FALSE(ProfileFile(fs, ansi).readProfiles(L"C:\\missing.velaprofile"));
}

}  // namespace
}  // namespace vela
