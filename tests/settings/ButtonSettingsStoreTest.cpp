#include <gtest/gtest.h>

#include <algorithm>
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

using test::bytesOf;
using test::MemoryFilePort;
using test::Recorder;

const std::wstring kModule = L"C:\\Games\\Vela\\Vela.exe";
const std::wstring kPath = L"C:\\Games\\Vela\\QmSetting.ini";
const std::wstring kScripts = L"C:\\Games\\Vela\\ScriptsMacros\\";

class SettingsStoreTest : public ::testing::Test {
protected:
    Recorder rec;
    SlotModel model{rec, rec, rec};
    MemoryFilePort fs;
    Windows1252 ansi;
    std::shared_ptr<MacroScripts> scripts = std::make_shared<MacroScripts>();
    MacroScriptLoader loader{fs, moduleFolderOf(kModule), scripts};

    ButtonSettingsStore store(bool tiltSupported = true) {
        return ButtonSettingsStore(model, loader, {fs, ansi, rec}, kModule, tiltSupported);
    }
    void putAnsi(std::string_view text) { fs.files[kPath] = bytesOf(text); }
    void putUtf16(std::wstring_view text) { fs.files[kPath] = encodeUtf16LeWithBom(text); }
    // The file as written, in whatever form it has.
    std::wstring savedFile() { return decodeSettingsText(fs.files.at(kPath), ansi).text; }
    TextEncoding savedForm() { return decodeSettingsText(fs.files.at(kPath), ansi).encoding; }
    std::vector<std::wstring> captionsShown() const {
        std::vector<std::wstring> out;
        for (const auto& c : rec.calls())
            if (c.what == "caption") out.push_back(c.text);
        return out;
    }
    std::wstring labelOf(std::string_view slot) const {
        for (const auto& c : rec.calls())
            if (c.what == "label" && c.slot == slot) return c.text;
        return L"<none>";
    }
};

std::wstring untouchedSection(std::wstring_view name, std::wstring_view caption) {
    return L"[" + std::wstring(name) + L"]\r\n0=" + std::wstring(caption) +
           L"\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n5=\r\n6=0\r\n8=\r\n";
}

TEST(SettingsPath, SitsBesideTheExecutable) {
    EXPECT_EQ(settingsPathFor(L"C:\\Games\\Vela\\Vela.exe"), L"C:\\Games\\Vela\\QmSetting.ini");
    EXPECT_EQ(settingsPathFor(L"Vela.exe"), L"\\QmSetting.ini");
    EXPECT_EQ(settingsPathFor(L"C:\\Vela.exe"), L"C:\\QmSetting.ini");
}

TEST_F(SettingsStoreTest, FirstStartWithoutAFileSavesNativeCaptionsAndZeros) {
    auto s = store();
    s.loadAll();
    s.saveAll();
    EXPECT_EQ(savedFile(), untouchedSection(L"RButtonSetting", L"Right Button") +
                               untouchedSection(L"MButtonSetting", L"Middle Button") +
                               untouchedSection(L"X1ButtonSetting", L"Forward") +
                               untouchedSection(L"X2ButtonSetting", L"Back") +
                               untouchedSection(L"WDButtonSetting", L"Wheel Down") +
                               untouchedSection(L"WUButtonSetting", L"Wheel Up") +
                               untouchedSection(L"WLButtonSetting", L"Tilt Left") +
                               untouchedSection(L"WRButtonSetting", L"Tilt Right") +
                               untouchedSection(L"ALTTABButtonSetting", L"ALT + TAB"));
    // X1 and X2: the caption and the default label differ.
    EXPECT_EQ(labelOf("X1"), L"Back");
    EXPECT_EQ(labelOf("X2"), L"Forward");
    for (const SlotInfo& info : kSlotTable) EXPECT_FALSE(model.at(info.slot).remapped);
}

TEST_F(SettingsStoreTest, WithoutTiltTheTiltSlotsSayNotSupportAndSaveIt) {
    putAnsi("[WLButtonSetting]\r\n0=Copy\r\n[WRButtonSetting]\r\n0=Paste\r\n");
    auto without = store(false);
    without.loadAll();
    EXPECT_EQ(model.at(Slot::WL).caption, L"Not Support");
    EXPECT_EQ(model.at(Slot::WR).caption, L"Not Support");
    without.saveAll();
    EXPECT_NE(savedFile().find(L"[WLButtonSetting]\r\n0=Not Support\r\n"), std::wstring::npos);

    // A later start with tilt support shows that text as a caption.
    rec.clear();
    store(true).loadAll();
    EXPECT_EQ(model.at(Slot::WL).caption, L"Not Support");
}

TEST_F(SettingsStoreTest, LoadShowsEachSlotsCaptionThenHookThenLabelInTableOrder) {
    putAnsi(
        "[X1ButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n6=1\r\n8=my note\r\n"
        "[RButtonSetting]\r\n0=Paste\r\n1=1\r\n");
    store().loadAll();
    EXPECT_EQ(rec.trace(),
              "caption:R install:R label:R caption:M label:M caption:X1 install:X1 label:X1 "
              "caption:X2 label:X2 caption:WD label:WD caption:WU label:WU caption:WL label:WL "
              "caption:WR label:WR caption:ALTTAB label:ALTTAB");
    EXPECT_EQ(captionsShown()[2], L"Copy");
    EXPECT_EQ(labelOf("X1"), L"my note");
    const ButtonAssignment& x1 = model.at(Slot::X1);
    EXPECT_EQ(x1.caption, L"Copy");
    EXPECT_TRUE(x1.remapped);
    EXPECT_EQ(x1.action, Action(action::Key{ChordModifier::Control, 67}));
    EXPECT_EQ(x1.description, L"my note");
}

TEST_F(SettingsStoreTest, CaptionsAndDescriptionsAreTrimmedOtherTextsAreNot) {
    putAnsi(
        "[RButtonSetting]\r\n0=   \r\n2=5\r\n5=  spaced target  \r\n6=1\r\n8=\t\r\n"
        "[MButtonSetting]\r\n0=  Copy  \r\n8=  a note  \r\n"
        "[X2ButtonSetting]\r\n1=1\r\n2=6\r\n6=1\r\n7= spaced name \r\n");
    model.at(Slot::R).description = L"kept";
    store().loadAll();
    EXPECT_EQ(model.at(Slot::R).caption, L"Right Button");
    EXPECT_EQ(model.at(Slot::M).caption, L"Copy");
    EXPECT_EQ(model.at(Slot::M).description, L"a note");
    EXPECT_EQ(labelOf("M"), L"a note");
    // An empty description shows the default label and leaves the field alone.
    EXPECT_EQ(labelOf("R"), L"Right Button");
    EXPECT_EQ(model.at(Slot::R).description, L"kept");
    // Texts other than the caption and description are taken as they stand;
    // outer blanks of an unquoted value are dropped, as the platform does.
    EXPECT_EQ(model.at(Slot::R).action, Action(action::Launch{L"spaced target"}));
    EXPECT_EQ(model.at(Slot::X2).action, Action(action::Macro{L"spaced name"}));
}

TEST_F(SettingsStoreTest, NumbersReadLikeTheRuntimeAndAreWrittenBackNormalised) {
    putAnsi(
        "[RButtonSetting]\r\n1=2\r\n2=  -7xyz\r\n3=300\r\n4=abc\r\n6=99999999999\r\n"
        "[MButtonSetting]\r\n1=-1\r\n3=-1\r\n"
        "[X1ButtonSetting]\r\n1=0x1\r\n");
    auto s = store();
    s.loadAll();
    const ButtonAssignment& r = model.at(Slot::R);
    EXPECT_TRUE(r.remapped);
    EXPECT_EQ(r.action, Action(action::Unknown{2147483647, -7, 0})) << "beyond 32 bits saturates";
    EXPECT_TRUE(model.at(Slot::M).remapped);
    EXPECT_FALSE(model.at(Slot::X1).remapped) << "\"0x1\" reads as 0";

    s.saveAll();
    const std::wstring file = savedFile();
    EXPECT_NE(file.find(L"[RButtonSetting]\r\n0=Right Button\r\n1=1\r\n2=-7\r\n3=44\r\n4=0\r\n"
                        L"5=\r\n6=2147483647\r\n8=\r\n"),
              std::wstring::npos);
    EXPECT_NE(file.find(L"[MButtonSetting]\r\n0=Middle Button\r\n1=1\r\n2=0\r\n3=255\r\n"),
              std::wstring::npos);
}

TEST_F(SettingsStoreTest, AMacroSlotsScriptIsReadBeforeItsHookGoesIn) {
    struct CheckingHooks final : HookPort {
        std::shared_ptr<MacroScripts> scripts;
        std::vector<std::size_t> stepsAtInstall;
        void install(Slot s) override {
            stepsAtInstall.push_back(scripts->at(number(s)) ? scripts->at(number(s))->size() : 0);
        }
        void remove(Slot) override {}
    } hooks;
    hooks.scripts = scripts;
    SlotModel checked(hooks, rec, rec);
    fs.files[kScripts + L"copy.txt"] = bytesOf("KeyDown 17\r\nKeyUp 17\r\n");
    putAnsi("[WUButtonSetting]\r\n1=1\r\n2=6\r\n6=1\r\n7=copy.txt\r\n");

    ButtonSettingsStore(checked, loader, {fs, ansi, rec}, kModule, true).loadAll();
    EXPECT_EQ(hooks.stepsAtInstall, std::vector<std::size_t>{2});
    EXPECT_EQ(checked.activeSlot, number(Slot::WU));
    EXPECT_EQ(fs.reads, (std::vector<std::wstring>{kPath, kScripts + L"copy.txt"}));
}

TEST_F(SettingsStoreTest, AStaleMacroNameIsReadButNeitherLoadedNorSavedAgain) {
    fs.files[kScripts + L"a.txt"] = bytesOf("LeftDown\r\n");
    putAnsi(
        "[RButtonSetting]\r\n1=0\r\n2=6\r\n6=1\r\n7=a.txt\r\n"
        "[X1ButtonSetting]\r\n1=1\r\n2=5\r\n6=1\r\n7=a.txt\r\n");
    auto s = store();
    s.loadAll();
    EXPECT_EQ(model.at(Slot::R).action, Action(action::Macro{L"a.txt"}));
    EXPECT_EQ(model.at(Slot::X1).action, Action(action::Launch{}));
    EXPECT_EQ(fs.reads.size(), 1u) << "no script read";
    EXPECT_EQ(model.activeSlot, 0);
    s.saveAll();
    EXPECT_EQ(savedFile().find(L"7="), std::wstring::npos);
}

TEST_F(SettingsStoreTest, AMissingScriptStillGetsItsHook) {
    putAnsi("[X2ButtonSetting]\r\n1=1\r\n2=6\r\n6=1\r\n7=gone.txt\r\n");
    auto s = store();
    s.loadAll();
    EXPECT_TRUE(model.at(Slot::X2).remapped);
    EXPECT_TRUE(!scripts->at(4) || scripts->at(4)->empty());
    s.saveAll();
    EXPECT_NE(savedFile().find(L"6=1\r\n7=gone.txt\r\n8=\r\n"), std::wstring::npos);
}

TEST_F(SettingsStoreTest, LongValuesAreReadWhole) {
    const std::string target(600, 'x');
    putAnsi("[RButtonSetting]\r\n2=5\r\n5=" + target + "\r\n6=1\r\n");
    store().loadAll();
    EXPECT_EQ(model.at(Slot::R).action, Action(action::Launch{std::wstring(600, L'x')}));
}

TEST_F(SettingsStoreTest, OtherSectionsAndLinesSurviveEverySaveUnchanged) {
    const std::wstring head = L"; written by hand\n[Kestrel]\r\nBootValue=1\r\n\r\n";
    const std::wstring middle = L"[Notes]\nfree text without equals\n  x = y  \n";
    putUtf16(head + L"[RButtonSetting]\r\n0=Copy\r\n1=1\r\n9=extra\r\n\r\n" + middle +
             L"[MButtonSetting]\r\n0=Paste\r\n");
    auto s = store();
    s.loadAll();
    s.saveAll();
    const std::wstring once = savedFile();
    // Our sections are deleted and written again, which puts them at the end;
    // everything else stays, in order and to the character.
    EXPECT_EQ(once.substr(0, head.size() + middle.size()), head + middle);
    EXPECT_EQ(once.find(L"9=extra"), std::wstring::npos);
    EXPECT_NE(once.find(L"[RButtonSetting]\r\n0=Copy\r\n1=1\r\n"), std::wstring::npos);

    s.saveAll();
    EXPECT_EQ(savedFile(), once) << "a second save changes nothing";
}

TEST_F(SettingsStoreTest, AFileThatExistsButCannotBeReadIsLeftAlone) {
    const auto original = bytesOf("[Other]\r\nkeep=me\r\n[RButtonSetting]\r\n0=Copy\r\n");
    fs.files[kPath] = original;
    fs.unreadable.insert(kPath);
    auto s = store();
    s.loadAll();
    s.saveAll();
    EXPECT_EQ(fs.files.at(kPath), original);
    EXPECT_EQ(fs.files.size(), 1u) << "no temporary file left behind";

    // Once it can be read again, the next save goes through and keeps [Other].
    fs.unreadable.clear();
    s.saveAll();
    EXPECT_NE(savedFile().find(L"[Other]\r\nkeep=me\r\n"), std::wstring::npos);
}

TEST_F(SettingsStoreTest, AnsiAndUtf8FilesAreReadAndEveryTextSurvivesTheSave) {
    putAnsi("[RButtonSetting]\r\n0=Caf\xe9\r\n");
    store().loadAll();
    EXPECT_EQ(model.at(Slot::R).caption, L"Caf\x00e9");

    fs.files[kPath] = bytesOf("\xEF\xBB\xBF[RButtonSetting]\r\n0=\xD0\x9A\xD0\xBE\xD0\xBF\r\n");
    store().loadAll();
    EXPECT_EQ(model.at(Slot::R).caption, L"\x041a\x043e\x043f");

    // Text no ANSI code page holds is written and read back whole.
    model.at(Slot::M).caption = L"\x65e5\x672c\x8a9e \x0394";
    model.at(Slot::M).description = L"\x00e9\U0001F600";
    store().saveAll();
    SlotModel fresh(rec, rec, rec);
    ButtonSettingsStore(fresh, loader, {fs, ansi, rec}, kModule, true).loadAll();
    EXPECT_EQ(fresh.at(Slot::M).caption, model.at(Slot::M).caption);
    EXPECT_EQ(fresh.at(Slot::M).description, model.at(Slot::M).description);
}

// ---- The file keeps its form ---------------------------------------------------

// Another program's section, as bytes in the file's own form.
std::vector<std::uint8_t> concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<std::uint8_t> utf16(std::wstring_view text, bool bigEndian) {
    std::vector<std::uint8_t> out;
    for (wchar_t c : text) {
        const auto unit = static_cast<std::uint16_t>(c);
        out.push_back(static_cast<std::uint8_t>(bigEndian ? unit >> 8 : unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(bigEndian ? unit & 0xFF : unit >> 8));
    }
    return out;
}

struct FileForm {
    const char* name;
    std::vector<std::uint8_t> mark;   // byte-order mark, if any
    std::vector<std::uint8_t> other;  // another program's section, in this form
    std::vector<std::uint8_t> ours;   // [RButtonSetting] with 0=Café, in this form
    std::vector<std::uint8_t> copy;   // the bytes of "Copy" in this form
};

std::vector<FileForm> fileForms() {
    const std::wstring other = L"[Caf\x00e9 Notes]\r\nname=Ren\x00e9e \x20ac5\r\n\r\n";
    const std::wstring ours = L"[RButtonSetting]\r\n0=Caf\x00e9\r\n1=0\r\n";
    return {
        {"ANSI",
         {},
         bytesOf("[Caf\xe9 Notes]\r\nname=Ren\xe9"
                 "e \x80"
                 "5\r\n\r\n"),
         bytesOf("[RButtonSetting]\r\n0=Caf\xe9\r\n1=0\r\n"),
         bytesOf("Copy")},
        {"UTF-8",
         {},
         bytesOf("[Caf\xc3\xa9 Notes]\r\nname=Ren\xc3\xa9"
                 "e \xe2\x82\xac"
                 "5\r\n\r\n"),
         bytesOf("[RButtonSetting]\r\n0=Caf\xc3\xa9\r\n1=0\r\n"),
         bytesOf("Copy")},
        {"UTF-8 with mark", bytesOf("\xEF\xBB\xBF"),
         bytesOf("[Caf\xc3\xa9 Notes]\r\nname=Ren\xc3\xa9"
                 "e \xe2\x82\xac"
                 "5\r\n\r\n"),
         bytesOf("[RButtonSetting]\r\n0=Caf\xc3\xa9\r\n1=0\r\n"), bytesOf("Copy")},
        {"UTF-16LE", {0xFF, 0xFE}, utf16(other, false), utf16(ours, false), utf16(L"Copy", false)},
        {"UTF-16BE", {0xFE, 0xFF}, utf16(other, true), utf16(ours, true), utf16(L"Copy", true)},
    };
}

bool contains(const std::vector<std::uint8_t>& hay, const std::vector<std::uint8_t>& needle) {
    return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

TEST_F(SettingsStoreTest, EachFileFormIsReadAndKeptWithOtherSectionsByteForByte) {
    for (const FileForm& form : fileForms()) {
        fs.files[kPath] = concat({form.mark, form.other, form.ours});
        model.at(Slot::R).caption.clear();
        auto s = store();
        s.loadAll();
        EXPECT_EQ(model.at(Slot::R).caption, L"Caf\x00e9") << form.name;
        model.at(Slot::X1).caption = L"Copy";
        s.saveAll();
        const auto& saved = fs.files.at(kPath);
        // Same mark, the other program's section first and unchanged to the byte.
        EXPECT_EQ(std::vector<std::uint8_t>(
                      saved.begin(),
                      saved.begin() + static_cast<std::ptrdiff_t>(std::min(
                                          saved.size(), form.mark.size() + form.other.size()))),
                  concat({form.mark, form.other}))
            << form.name;
        EXPECT_TRUE(contains(saved, form.copy))
            << form.name << ": the new caption in the same form";
    }
}

TEST_F(SettingsStoreTest, AnAnsiFileTurnsUtf16OnlyForATextItsCodePageCannotHold) {
    putAnsi("[Other]\r\nk=\xe9\r\n");
    auto s = store();
    s.loadAll();
    model.at(Slot::R).caption = L"Caf\x00e9";
    s.saveAll();
    EXPECT_EQ(savedForm(), TextEncoding::Ansi);
    model.at(Slot::R).caption = L"\x65e5\x672c";
    s.saveAll();
    EXPECT_EQ(savedForm(), TextEncoding::Utf16Le);
    EXPECT_EQ(savedFile().substr(0, 14), L"[Other]\r\nk=\x00e9\r\n");
}

TEST_F(SettingsStoreTest, CarriageReturnOnlyAndMixedLineEndsAreLinesToo) {
    putAnsi(
        "[Other]\rk=1\r[X1ButtonSetting]\r0=Copy\r1=1\r2=2\r3=67\r6=1\r"
        "[X2ButtonSetting]\n0=Cut\r\n1=1\n");
    auto s = store();
    s.loadAll();
    EXPECT_EQ(model.at(Slot::X1).caption, L"Copy");
    EXPECT_EQ(model.at(Slot::X1).action, Action(action::Key{ChordModifier::Control, 67}));
    EXPECT_TRUE(model.at(Slot::X2).remapped);
    s.saveAll();
    EXPECT_EQ(std::string(fs.files.at(kPath).begin(), fs.files.at(kPath).begin() + 12),
              "[Other]\rk=1\r");

    // In a file of CR-only lines, the lines Vela adds end in CR too.
    putAnsi("[Other]\rk=1\r");
    auto again = store();
    again.loadAll();
    model.at(Slot::X1).caption = L"Copy";
    again.saveAll();
    const std::string all(fs.files.at(kPath).begin(), fs.files.at(kPath).end());
    EXPECT_EQ(all.find('\n'), std::string::npos);
    EXPECT_NE(all.find("[Other]\rk=1\r[RButtonSetting]\r0=Right Button\r"), std::string::npos);
}

TEST_F(SettingsStoreTest, ASectionNameRunsToItsLastClosingBracket) {
    putAnsi("[RButtonSetting]]\r\n0=Not ours\r\n[RButtonSetting]\r\n0=Ours\r\n");
    store().loadAll();
    EXPECT_EQ(model.at(Slot::R).caption, L"Ours");
}

// ---- Where the file lives ------------------------------------------------------

const std::wstring kPerUser = L"C:\\Users\\ana\\AppData\\Roaming\\Vela\\QmSetting.ini";

TEST_F(SettingsStoreTest, TemporaryFilesOfAnUnfinishedSaveAreRemovedAtStart) {
    fs.files[L"C:\\Games\\Vela\\~vela7.tmp"] = bytesOf("[RButtonSetting]\r\n0=Ha");
    fs.files[L"C:\\Games\\Vela\\~velanotes.txt"] = bytesOf("mine");
    fs.files[L"C:\\Games\\Vela\\Sub\\~vela2.tmp"] = bytesOf("not beside");
    store().loadAll();
    EXPECT_FALSE(fs.files.contains(L"C:\\Games\\Vela\\~vela7.tmp"));
    EXPECT_TRUE(fs.files.contains(L"C:\\Games\\Vela\\~velanotes.txt"));
    EXPECT_TRUE(fs.files.contains(L"C:\\Games\\Vela\\Sub\\~vela2.tmp"));
}

TEST_F(SettingsStoreTest, AFolderThatCannotBeWrittenSendsTheSavesToThePerUserFile) {
    putAnsi("[Other]\r\nk=1\r\n[X1ButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n6=1\r\n");
    const auto beside = fs.files.at(kPath);
    fs.readOnlyFolders.insert(L"C:\\Games\\Vela\\");
    std::vector<std::wstring> told;
    auto s = store();
    s.useFallback(kPerUser, [&](const std::wstring& folder) { told.push_back(folder); });
    s.loadAll();
    EXPECT_EQ(model.at(Slot::X1).caption, L"Copy") << "read from beside the program";
    EXPECT_EQ(told, std::vector<std::wstring>{L"C:\\Games\\Vela"});

    model.at(Slot::X2).caption = L"Paste";
    s.saveAll();
    s.saveAll();
    EXPECT_EQ(fs.files.at(kPath), beside) << "the file beside the program is left as it was";
    EXPECT_TRUE(fs.folders.contains(L"C:\\Users\\ana\\AppData\\Roaming\\Vela"));
    const std::wstring perUser = decodeSettingsText(fs.files.at(kPerUser), ansi).text;
    EXPECT_EQ(perUser.substr(0, 14), L"[Other]\r\nk=1\r\n") << "other sections come along";
    EXPECT_EQ(told.size(), 1u) << "said once";

    // The next start reads the per-user file.
    SlotModel fresh(rec, rec, rec);
    ButtonSettingsStore again(fresh, loader, {fs, ansi, rec}, kModule, true);
    again.useFallback(kPerUser, [](const std::wstring&) {});
    again.loadAll();
    EXPECT_EQ(fresh.at(Slot::X2).caption, L"Paste");
    EXPECT_EQ(fresh.at(Slot::X1).caption, L"Copy");
}

TEST_F(SettingsStoreTest, AWritableFolderKeepsTheFileBesideTheProgram) {
    int told = 0;
    auto s = store();
    s.useFallback(kPerUser, [&](const std::wstring&) { ++told; });
    s.loadAll();
    s.saveAll();
    EXPECT_TRUE(fs.files.contains(kPath));
    EXPECT_FALSE(fs.files.contains(kPerUser));
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(fs.tempFilesBeside(kPath).empty()) << "the write test leaves nothing behind";
}

TEST_F(SettingsStoreTest, AFolderThatStopsTakingWritesSendsTheNextSaveToThePerUserFile) {
    std::vector<std::wstring> told;
    auto s = store();
    s.useFallback(kPerUser, [&](const std::wstring& folder) { told.push_back(folder); });
    s.loadAll();
    fs.readOnlyFolders.insert(L"C:\\Games\\Vela\\");
    model.at(Slot::R).caption = L"Copy";
    s.saveAll();
    EXPECT_NE(decodeSettingsText(fs.files.at(kPerUser), ansi).text.find(L"0=Copy"),
              std::wstring::npos);
    EXPECT_EQ(told.size(), 1u);
}

TEST_F(SettingsStoreTest, EveryFunctionWrittenReadsBackUnchanged) {
    const std::wstring awkward = L"sub\\name with\nnewline\r\n[X2ButtonSetting]\r\n1=1";
    const Action functions[] = {
        action::Mouse{MouseFunction::WheelDown},
        action::Key{ChordModifier::Alt, 200},
        action::Launch{L"  \"C:\\new folder\\run.exe\" --flag  "},
        action::Macro{awkward, 200},
        action::RepeatKey{39},
        action::SwitchApps{},
        action::PressShortcut{Shortcut(modifier::LeftCtrl | modifier::RightAlt, 0x54)},
        action::TypeText{L"Gr\u00fc\u00dfe\r\n" + awkward},
        action::LayerWhileHeld{},
        action::LayerWhileHeld{false},
        action::LayerWhileHeld{true},
        action::Gestures{{true, false, false, true}},
        action::DragScroll{false, 250},
        action::Unknown{1, 99, -5},
        action::Unknown{-3, 2, 4},
    };
    // The other triggers' functions under keys of their own, whatever the
    // slot's function is.
    TriggerFunctions triggers;
    triggers.gestures[0] = action::Key{ChordModifier::Control, 187};
    triggers.gestures[3] = action::TypeText{awkward};
    triggers.click = action::Launch{L"calc.exe"};
    triggers.doubleClick = action::Mouse{MouseFunction::BackClick};
    triggers.longPress = action::PressShortcut{Shortcut(modifier::LeftWin, 0x44)};
    for (const Action& function : functions) {
        ButtonAssignment& a = model.at(Slot::X1);
        a.caption = L"[Copy] = \"C\"";  // loaded trimmed by design, so no outer blanks here
        a.remapped = true;
        a.action = function;
        a.description = L"two\r\nlines";
        a.holdWhilePressed = true;
        a.triggers = function.index() % 2 ? triggers : TriggerFunctions{};
        store().saveAll();

        SlotModel fresh(rec, rec, rec);
        ButtonSettingsStore(fresh, loader, {fs, ansi, rec}, kModule, true).loadAll();
        EXPECT_EQ(fresh.at(Slot::X1), a) << function.index();
        EXPECT_FALSE(fresh.at(Slot::X2).remapped) << "no line of a value becomes a key";
    }
}

// What the file holds under a key the slot's function does not use stays
// there (as Vela writes it), whatever the slot does now: a reader that still
// looks there finds what it found, and nothing once written is lost.
TEST_F(SettingsStoreTest, KeysAFunctionDoesNotUseKeepWhatTheFileHeld) {
    putAnsi(
        "[X2ButtonSetting]\r\n0=Calculator\r\n1=1\r\n2=5\r\n3=0173\r\n4=6\r\n"
        "5=calc.exe\r\n6=1\r\n");
    auto s = store();
    s.loadAll();
    model.assign(Slot::X2, L"Wheel Up", action::Mouse{MouseFunction::WheelUp});
    s.saveAll();
    EXPECT_NE(savedFile().find(L"[X2ButtonSetting]\r\n0=Wheel Up\r\n1=1\r\n2=5\r\n3=173\r\n"
                               L"4=5\r\n5=calc.exe\r\n6=0\r\n"),
              std::wstring::npos);
    model.assign(Slot::X2, L"Copy", action::Key{ChordModifier::Control, 67});
    s.saveAll();
    EXPECT_NE(savedFile().find(L"1=1\r\n2=2\r\n3=67\r\n4=5\r\n5=calc.exe\r\n6=1\r\n"),
              std::wstring::npos);
    // A slot the file never had gets the defaults.
    EXPECT_NE(savedFile().find(L"[WUButtonSetting]\r\n0=Wheel Up\r\n1=0\r\n2=0\r\n3=0\r\n"
                               L"4=0\r\n5=\r\n6=0\r\n8=\r\n"),
              std::wstring::npos);
}

// "Hold While Pressed" is a key of its own, there only while on, so a file
// without it means what it always meant.
TEST_F(SettingsStoreTest, HoldIsWrittenOnlyWhileOnAndReadBack) {
    putAnsi("[X2ButtonSetting]\r\n0=Shift\r\n1=1\r\n2=0\r\n3=16\r\n6=1\r\nHold=1\r\n");
    ButtonSettingsStore s = store();
    s.loadAll();
    EXPECT_TRUE(model.at(Slot::X2).holdWhilePressed);
    EXPECT_FALSE(model.at(Slot::X1).holdWhilePressed);
    s.saveAll();
    const std::wstring saved = savedFile();
    EXPECT_NE(saved.find(L"8=\r\nHold=1\r\n"), std::wstring::npos);
    EXPECT_EQ(saved.find(L"Hold="), saved.rfind(L"Hold=")) << "no other section has it";
    model.at(Slot::X2).holdWhilePressed = false;
    s.saveAll();
    EXPECT_EQ(savedFile().find(L"Hold"), std::wstring::npos);
}

// Profiles go into sections of their own; a file without them reads as
// before, and a deleted profile leaves nothing behind.
TEST_F(SettingsStoreTest, ProfilesRoundTripAndADeletedOneLeavesNoSection) {
    OverlaySet profiles;
    ButtonAssignment paste;
    paste.caption = L"Paste";
    paste.remapped = true;
    paste.action = action::Key{ChordModifier::Control, 86};
    paste.description = L"in the editor";
    paste.holdWhilePressed = true;
    profiles.add(ProgramKey{L"Editor.exe"}).slots[Slot::X1] = paste;
    ButtonAssignment back;
    back.caption = L"Back";
    profiles.add(ProgramKey{L"game.exe"}).slots[Slot::X2] = back;
    profiles.add(ProgramKey{L"empty.exe"});
    ButtonSettingsStore s = store();
    s.useOverlays(&profiles);
    s.saveAll();
    const std::wstring saved = savedFile();
    EXPECT_NE(saved.find(L"[Profiles]\r\n1=Editor.exe\r\n2=game.exe\r\n3=empty.exe\r\n"),
              std::wstring::npos);
    EXPECT_NE(saved.find(L"[Editor.exe]\r\nX1.0=Paste\r\nX1.1=1\r\n"), std::wstring::npos);

    SlotModel fresh(rec, rec, rec);
    OverlaySet read;
    ButtonSettingsStore again(fresh, loader, {fs, ansi, rec}, kModule, true);
    again.useOverlays(&read);
    again.loadAll();
    ASSERT_EQ(read.all().size(), 3u);
    EXPECT_EQ(read.find(ProgramKey{L"editor.exe"})->slots[Slot::X1], paste);
    EXPECT_EQ(read.find(ProgramKey{L"game.exe"})->slots[Slot::X2], back);
    EXPECT_FALSE(read.find(ProgramKey{L"game.exe"})->sets(Slot::X1));
    EXPECT_FALSE(fresh.at(Slot::X1).remapped) << "All Programs is not touched";

    read.remove(ProgramKey{L"Editor.exe"});
    again.saveAll();
    EXPECT_EQ(savedFile().find(L"Editor.exe"), std::wstring::npos);
    EXPECT_EQ(savedFile().find(L"X1.0"), std::wstring::npos);
}

TEST_F(SettingsStoreTest, ASaveInterruptedAtAnyStepLeavesTheOldOrTheNewFile) {
    putUtf16(L"[RButtonSetting]\r\n0=Old\r\n");
    const auto oldBytes = fs.files[kPath];
    store().loadAll();
    model.at(Slot::R).caption = L"New";
    for (int step = 0; step < 3; ++step) {
        for (const bool crash : {false, true}) {
            MemoryFilePort faulty;
            faulty.files[kPath] = oldBytes;
            (crash ? faulty.crashAtStep : faulty.failAtStep) = step;
            ButtonSettingsStore s(model, loader, {faulty, ansi, rec}, kModule, true);
            try {
                s.saveAll();
            } catch (const test::SimulatedCrash&) {
            }
            EXPECT_EQ(faulty.files[kPath], oldBytes) << "step " << step << " crash " << crash;
        }
    }
    store().saveAll();
    EXPECT_NE(savedFile().find(L"0=New\r\n"), std::wstring::npos);
}

}  // namespace
}  // namespace vela
