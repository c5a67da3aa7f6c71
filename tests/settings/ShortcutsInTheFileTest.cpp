// Shortcuts and texts in the settings file: every shortcut comes back as the
// same keys, a text as typed, a hand's junk as nothing at all; and a reader
// of the older keys only finds slots that do nothing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/ActionExecutor.h"
#include "core/LeadingInteger.h"
#include "core/ShortcutRecords.h"
#include "core/StoredShortcut.h"
#include "core/TypedText.h"
#include "macro/MacroScriptLoader.h"
#include "settings/ButtonSettingsStore.h"
#include "settings/IniValue.h"
#include "settings/SettingsText.h"
#include "settings/Windows1252.h"
#include "tests/support/MemoryFilePort.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

const std::wstring kVelaModule = L"C:\\Vela\\Vela.exe";
const std::wstring kVelaSettings = L"C:\\Vela\\QmSetting.ini";

class ShortcutsInTheFile : public ::testing::Test {
protected:
    test::Recorder rec;
    test::MemoryFilePort fs;
    Windows1252 ansi;
    MacroScriptLoader loader{fs, L"C:\\Vela", std::make_shared<MacroScripts>()};
    SlotModel model{rec, rec, rec};
    OverlaySet profiles;

    ButtonSettingsStore store(SlotModel& m, OverlaySet& p) {
        ButtonSettingsStore s(m, loader, {fs, ansi, rec}, kVelaModule, true);
        s.useOverlays(&p);
        return s;
    }
    // `model` and `profiles` saved, then read into fresh ones.
    void saveAndReadBack(SlotModel& fresh, OverlaySet& freshProfiles) {
        store(model, profiles).saveAll();
        store(fresh, freshProfiles).loadAll();
    }
    void put(const std::wstring& text) { fs.files[kVelaSettings] = encodeUtf16LeWithBom(text); }
    std::wstring file() { return decodeSettingsText(fs.files.at(kVelaSettings), ansi).text; }
};

ButtonAssignment shortcutFunction(const Shortcut& shortcut) {
    ButtonAssignment a;
    a.caption = L"Shortcut";
    a.remapped = true;
    a.action = action::PressShortcut{shortcut};
    return a;
}

TEST_F(ShortcutsInTheFile, EveryKeyAndEveryModifierSetComeBackAsTheSameInput) {
    // Every key (the buttons and notches too) with some modifiers, and every
    // set of modifiers with some key; nine slots and a profile's slot a save.
    std::vector<Shortcut> shortcuts;
    for (ShortcutKey key = 1; key <= shortcutkey::WheelRight; ++key)
        if (isShortcutKey(key)) shortcuts.emplace_back(static_cast<ModifierSet>(key * 37), key);
    for (int set = 1; set < 256; ++set)
        shortcuts.emplace_back(static_cast<ModifierSet>(set),
                               static_cast<ShortcutKey>(set % 7 * 30));
    for (std::size_t at = 0; at < shortcuts.size();) {
        for (const SlotInfo& info : kSlotTable)
            model.at(info.slot) = shortcutFunction(shortcuts[at < shortcuts.size() ? at++ : 0]);
        profiles.add(ProgramKey{L"game.exe"}).slots[Slot::X1] =
            shortcutFunction(shortcuts[at % shortcuts.size()]);
        SlotModel fresh(rec, rec, rec);
        OverlaySet freshProfiles;
        saveAndReadBack(fresh, freshProfiles);
        for (const SlotInfo& info : kSlotTable) {
            const ButtonAssignment& a = model.at(info.slot);
            const Shortcut& shortcut = a.as<action::PressShortcut>()->shortcut;
            EXPECT_TRUE(fresh.at(info.slot) == a) << storedShortcut(shortcut);
            EXPECT_EQ(shortcutPressRecords(
                          fresh.at(info.slot).as<action::PressShortcut>()->shortcut, rec),
                      shortcutPressRecords(shortcut, rec));
        }
        EXPECT_EQ(freshProfiles.find(ProgramKey{L"game.exe"})->slots[Slot::X1],
                  profiles.find(ProgramKey{L"game.exe"})->slots[Slot::X1]);
    }
}

TEST_F(ShortcutsInTheFile, KeysAndTextAreWrittenForTheirKindOnlyAndReadAsAHandMayWriteThem) {
    model.at(Slot::X1) = shortcutFunction(Shortcut(modifier::LeftCtrl | modifier::LeftShift, 0x54));
    ButtonAssignment& text = model.at(Slot::X2) = shortcutFunction(Shortcut(0, 0x44));
    text.action = action::TypeText{L"Gr\u00fc\u00dfe, \u6771\u4eac \u20ac5\r\nline 2"};
    profiles.add(ProgramKey{L"game.exe"}).slots[Slot::WU] = model.at(Slot::X1);
    SlotModel fresh(rec, rec, rec);
    OverlaySet freshProfiles;
    saveAndReadBack(fresh, freshProfiles);
    const std::wstring saved = file();
    EXPECT_NE(saved.find(L"8=\r\nKeys=162+160+84\r\n[X2"), std::wstring::npos);
    EXPECT_NE(
        saved.find(L"8=\r\nText=\"\\~Gr\u00fc\u00dfe, \u6771\u4eac \u20ac5\\r\\nline 2\"\r\n"),
        std::wstring::npos);
    EXPECT_NE(saved.find(L"\r\nWU.Keys=162+160+84\r\n"), std::wstring::npos);
    EXPECT_EQ(saved.find(L"Keys=68"), std::wstring::npos)
        << "a text slot's shortcut is not written";
    EXPECT_EQ(fresh.at(Slot::X2).action, text.action);

    // A hand's spelling of a shortcut; a text past the limit cut to it.
    put(L"[X1ButtonSetting]\r\n0=Zoom\r\n1=1\r\n2=9\r\n6=1\r\nKeys= 17 + wheelup \r\n"
        L"[X2ButtonSetting]\r\n1=1\r\n2=10\r\n6=1\r\nText=" +
        std::wstring(kTypedTextLimit + 10, L'x') + L"\r\n");
    store(fresh, freshProfiles).loadAll();
    EXPECT_EQ(fresh.at(Slot::X1).action,
              Action(action::PressShortcut{Shortcut(modifier::LeftCtrl, shortcutkey::WheelUp)}));
    EXPECT_EQ(fresh.at(Slot::X1).caption, L"Zoom");
    EXPECT_EQ(fresh.at(Slot::X2).as<action::TypeText>()->text.size(), kTypedTextLimit);
}

TEST_F(ShortcutsInTheFile, AShortcutTheFileCannotSayLeavesASlotThatSaysSoAndDoesNothing) {
    for (const std::wstring junk : {L"", L"Ctrl+T", L"162+", L"999", L"17+17", L"84+162"}) {
        put(L"[X1ButtonSetting]\r\n0=Reopen\r\n1=1\r\n2=9\r\n6=1\r\nKeys=" + junk +
            L"\r\n[Profiles]\r\n1=a.exe\r\n[a.exe]\r\nX2.0=Mine\r\nX2.1=1\r\nX2.2=9\r\nX2.6="
            L"1\r\nX2.Keys=" +
            junk + L"\r\n");
        SlotModel fresh(rec, rec, rec);
        OverlaySet freshProfiles;
        store(fresh, freshProfiles).loadAll();
        EXPECT_EQ(fresh.at(Slot::X1).caption, kUnreadableShortcutCaption);
        EXPECT_TRUE(fresh.at(Slot::X1).remapped) << "the input stays taken";
        EXPECT_EQ(freshProfiles.find(ProgramKey{L"a.exe"})->slots[Slot::X2]->caption,
                  kUnreadableShortcutCaption);
        PlaybackThreads threads;
        rec.clear();
        ActionExecutor(fresh, {rec, rec, rec, rec, rec}, threads).onActivation(Slot::X1);
        EXPECT_EQ(rec.trace(), "");
    }
}

// What a reader of the older keys makes of a slot: its group and key
// function, of which it knows 0 to 8 alone.
std::pair<int, int> olderReading(const IniDocument& doc, std::wstring_view section) {
    const auto number = [&](std::wstring_view key) {
        return parseLeadingInt(decodeIniValue(doc.rawValue(section, key).value_or(L"")));
    };
    return {number(L"6"), number(L"2")};
}

TEST_F(ShortcutsInTheFile, AReaderOfTheOlderKeysFindsSlotsThatDoNothing) {
    // Over whatever the slots did before: a program, whose target stays.
    for (const SlotInfo& info : kSlotTable)
        model.assign(info.slot, L"Calculator", action::Launch{L"calc.exe"});
    store(model, profiles).saveAll();
    for (const SlotInfo& info : kSlotTable) {
        if (number(info.slot) % 2) {
            model.assign(info.slot, L"Ctrl+T",
                         action::PressShortcut{Shortcut(modifier::LeftCtrl, 0x54)});
        } else {
            model.assign(info.slot, L"Hello", action::TypeText{L"Hello"});
        }
    }
    store(model, profiles).saveAll();
    const IniDocument doc(file());
    for (const SlotInfo& info : kSlotTable) {
        const auto [group, keyFunction] = olderReading(doc, info.section);
        EXPECT_EQ(group, 1) << info.name;
        EXPECT_GT(keyFunction, 8) << info.name << ": past what the older reader knows";
        EXPECT_EQ(doc.rawValue(info.section, L"5"), L"calc.exe");
    }
}

}  // namespace
}  // namespace vela
