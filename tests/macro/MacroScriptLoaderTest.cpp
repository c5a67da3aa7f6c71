#include <gtest/gtest.h>

#include "core/ProgramFiles.h"
#include "macro/MacroScriptLoader.h"
#include "macro/RefreshingPlayback.h"
#include "tests/support/MemoryFilePort.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

using test::bytesOf;
using test::MemoryFilePort;

class MacroLoaderTest : public ::testing::Test {
protected:
    MemoryFilePort fs;
    std::shared_ptr<MacroScripts> scripts = std::make_shared<MacroScripts>();
    MacroScriptLoader loader{fs, L"C:\\Vela", scripts};
    MacroScript at(int slot) const {
        const auto script = scripts->at(slot);
        return script ? *script : MacroScript{};
    }
};

TEST(ScriptLocation, FolderOfTheModuleAndTheScriptsFolderBesideIt) {
    EXPECT_EQ(moduleFolderOf(L"C:\\Games\\Vela\\Vela.exe"), L"C:\\Games\\Vela");
    EXPECT_EQ(moduleFolderOf(L"Vela.exe"), L"");
    EXPECT_EQ(macroScriptPath(L"C:\\Vela", L"a.txt"), L"C:\\Vela\\ScriptsMacros\\a.txt");
    EXPECT_EQ(macroScriptPath(L"", L"a"), L"\\ScriptsMacros\\a");
    EXPECT_EQ(macroScriptPath(L"C:\\Vela", L"sub\\b.mac"), L"C:\\Vela\\ScriptsMacros\\sub\\b.mac");
}

TEST_F(MacroLoaderTest, ReadsTheNamedFileIntoTheActiveSlotsPosition) {
    fs.files[L"C:\\Vela\\ScriptsMacros\\sub\\copy"] = bytesOf("KeyDown 17\nKeyUp 17\n");
    loader.LoadMacroScript(3, L"sub\\copy");
    EXPECT_EQ(fs.reads, std::vector<std::wstring>{L"C:\\Vela\\ScriptsMacros\\sub\\copy"});
    EXPECT_EQ(at(3), (MacroScript{{'j', L" 17"}, {'k', L" 17"}}));
    for (int i = 0; i < kSlotPositions; ++i) {
        if (i != 3) {
            EXPECT_TRUE(at(i).empty()) << i;
        }
    }
}

TEST_F(MacroLoaderTest, APositionOutsideOneToTenReadsNothing) {
    scripts->put(1, {{'a', L""}});
    for (int slot : {0, -1, 11, 1000}) loader.LoadMacroScript(slot, L"x");
    EXPECT_TRUE(fs.reads.empty());
    EXPECT_EQ(at(1).size(), 1u);
}

TEST_F(MacroLoaderTest, AnUnreadableScriptLeavesThePositionEmpty) {
    scripts->put(5, {{'a', L""}});
    loader.LoadMacroScript(5, L"missing.txt");
    EXPECT_TRUE(at(5).empty());
    loader.LoadMacroScript(6, L"");
    EXPECT_TRUE(at(6).empty());
}

TEST_F(MacroLoaderTest, OnlyTheRightButtonSlotDropsRightButtonSteps) {
    fs.files[L"C:\\Vela\\ScriptsMacros\\r"] = bytesOf("RightDown\nRightUp\nLeftDown\n");
    loader.LoadMacroScript(number(Slot::R), L"r");
    loader.LoadMacroScript(number(Slot::X1), L"r");
    EXPECT_EQ(at(number(Slot::R)), (MacroScript{{'a', L""}}));
    EXPECT_EQ(at(number(Slot::X1)), (MacroScript{{'c', L""}, {'d', L""}, {'a', L""}}));
}

// What a playback holds stays as it was read: reading the slot again puts
// the new steps in its place.
TEST_F(MacroLoaderTest, ReadingAgainReplacesTheScriptAndLeavesAHeldOneAsItWas) {
    fs.files[L"C:\\Vela\\ScriptsMacros\\same"] = bytesOf("Delay 5\n");
    loader.LoadMacroScript(8, L"same");
    loader.LoadMacroScript(9, L"same");
    const auto held = scripts->at(8);
    fs.files[L"C:\\Vela\\ScriptsMacros\\same"] = bytesOf("Delay 6\nLeftDown\n");
    loader.LoadMacroScript(8, L"same");
    EXPECT_EQ(*held, (MacroScript{{'g', L" 5"}}));
    EXPECT_EQ(at(8), (MacroScript{{'g', L" 6"}, {'a', L""}}));
    EXPECT_EQ(at(9), (MacroScript{{'g', L" 5"}}));
}

// An edit in the scripts folder makes every script stale; each is read again
// just before its slot next plays, once.
TEST(RefreshingPlayback, AChangedFolderRereadsEachScriptBeforeItsNextPlayback) {
    test::Recorder rec;
    SlotModel model{rec, rec, rec};
    model.at(Slot::X1).macroName = L"Reload.txt";
    model.at(Slot::X2).macroName = L"Games\\Heal.txt";
    struct Loads final : MacroLoaderPort {
        std::vector<std::wstring> names;
        void LoadMacroScript(int, const std::wstring& name) override { names.push_back(name); }
    } loads;
    RefreshingPlayback playback(rec, loads, model);
    EXPECT_TRUE(playback.startPlayback(Slot::X1));
    EXPECT_TRUE(loads.names.empty()) << "nothing changed yet";
    playback.scriptsChanged();
    playback.startPlayback(Slot::X1);
    playback.startPlayback(Slot::X1);
    playback.startPlayback(Slot::X2);
    EXPECT_EQ(loads.names, (std::vector<std::wstring>{L"Reload.txt", L"Games\\Heal.txt"}));
    EXPECT_EQ(rec.trace(), "playback:X1 playback:X1 playback:X1 playback:X2");
}

}  // namespace
}  // namespace vela
