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

// An edit is read before the slot's next playback: told by the folder's
// watch, or seen in the file's time or size where no watch tells (network
// and virtual machine shares). A playback with nothing changed reads nothing.
TEST_F(MacroLoaderTest, AnEditedScriptIsReadAgainBeforeItsNextPlayback) {
    test::Recorder rec;
    SlotModel model{rec, rec, rec};
    model.at(Slot::X1).action = action::Macro{L"Reload.txt"};
    const std::wstring path = L"C:\\Vela\\ScriptsMacros\\Reload.txt";
    fs.files[path] = bytesOf("KeyDown 65\n");
    fs.writeTimes[path] = 1;
    loader.LoadMacroScript(number(Slot::X1), L"Reload.txt");
    RefreshingPlayback playback(rec, loader, model);
    const auto plays = [&] {
        const std::size_t reads = fs.reads.size();
        EXPECT_TRUE(playback.startPlayback(Slot::X1));
        const MacroScript now = at(number(Slot::X1));
        return std::pair(now.empty() ? 0 : now[0].number(), fs.reads.size() - reads);
    };
    EXPECT_EQ(plays(), std::pair(65, std::size_t{0})) << "unchanged";

    struct Edit {
        const char* text;  // nullptr: the file removed
        std::uint64_t time;
        bool told;
        int played;
        const char* what;
    };
    for (const Edit& e : {Edit{"KeyDown 166\n", 1, false, 166, "a new size"},
                          Edit{"KeyDown 167\n", 2, false, 167, "a new time"},
                          Edit{"KeyDown 168\n", 2, false, 167, "same time and size, untold"},
                          Edit{"KeyDown 168\n", 2, true, 168, "told by the watch"},
                          Edit{nullptr, 0, false, 0, "the file removed"},
                          Edit{"KeyDown 69\n", 2, false, 69, "the file made again"}}) {
        if (e.text) {
            fs.files[path] = bytesOf(e.text);
            fs.writeTimes[path] = e.time;
        } else {
            fs.files.erase(path);
        }
        if (e.told) playback.scriptsChanged();
        EXPECT_EQ(plays().first, e.played) << e.what;
        EXPECT_EQ(plays(), std::pair(e.played, std::size_t{0})) << e.what << ", once";
    }
    // Another script given to the slot (a profile's, say) is read for it.
    fs.files[L"C:\\Vela\\ScriptsMacros\\Heal.txt"] = bytesOf("KeyDown 72\n");
    model.at(Slot::X1).action = action::Macro{L"Heal.txt"};
    EXPECT_EQ(plays(), std::pair(72, std::size_t{1}));
    EXPECT_EQ(rec.calls().size(), 14u) << "every press played";
}

}  // namespace
}  // namespace vela
