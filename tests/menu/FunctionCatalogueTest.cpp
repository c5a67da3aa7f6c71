// The catalogue table against the list of functions the user is offered.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "menu/FunctionCatalogue.h"

namespace vela::menu {
namespace {

struct Expected {
    MenuLevel level;
    std::wstring menuText;
    std::uint16_t id;
    EntryKind kind;
    std::int32_t function;
    std::uint8_t virtualKey;
    std::wstring launchTarget;
    std::wstring caption;
};

using enum MenuLevel;
constexpr auto K = EntryKind::Key;
constexpr auto M = EntryKind::Mouse;

// Written out independently of the table under test, row by row.
const std::vector<Expected> kExpected = {
    {Root, L"No Settings", 10, EntryKind::RestoreOwnFunction, 0, 0, L"", L""},
    {Mouse, L"Left Button", 12, M, 0, 0, L"", L"Left Button"},
    {Mouse, L"Right Button", 131, M, 1, 0, L"", L"Right Button"},
    {Mouse, L"Middle Button", 14, M, 2, 0, L"", L"Middle Button"},
    {Mouse, L"Forward", 15, M, 3, 0, L"", L"Forward"},
    {Mouse, L"Back", 16, M, 4, 0, L"", L"Back"},
    {Mouse, L"Wheel Up", 17, M, 5, 0, L"", L"Wheel Up"},
    {Mouse, L"Wheel Down", 18, M, 6, 0, L"", L"Wheel Down"},
    {OfficeUsed, L"Zoom In", 19, K, 0, 107, L"", L"Zoom In"},
    {OfficeUsed, L"Zoom Out", 20, K, 0, 109, L"", L"Zoom Out"},
    {OfficeUsed, L"Paste Text", 21, K, 2, 86, L"", L"Paste Text"},
    {OfficeUsed, L"Run Software", 22, EntryKind::ChooseProgram, 5, 0, L"", L""},
    {Word, L"Cut(Ctrl+X)", 23, K, 2, 88, L"", L"Cut"},
    {Word, L"Copy(Ctrl+C)", 24, K, 2, 67, L"", L"Copy"},
    {Word, L"Paste(Ctrl+V)", 25, K, 2, 86, L"", L"Paste"},
    {Word, L"Delete(Del)", 26, K, 0, 46, L"", L"Delete"},
    {Word, L"Search(Ctrl+F)", 27, K, 2, 70, L"", L"Search"},
    {Word, L"Select All(Ctrl+A)", 28, K, 2, 65, L"", L"Select All"},
    {Word, L"Redo(Ctrl+Y)", 29, K, 2, 89, L"", L"Redo"},
    {Word, L"Undo(Ctrl+Z)", 30, K, 2, 90, L"", L"Undo"},
    {Archives, L"New(Ctrl+N)", 31, K, 2, 78, L"", L"New"},
    {Archives, L"Open(Ctrl+O)", 32, K, 2, 79, L"", L"Open"},
    {Archives, L"Save(Ctrl+S)", 33, K, 2, 83, L"", L"Save"},
    {Archives, L"Print(Ctrl+P)", 34, K, 2, 80, L"", L"Print"},
    {Multimedia, L"Media Player", 35, K, 5, 0, L"wmplayer.exe", L"Media Player"},
    {Multimedia, L"Previous Track", 36, K, 0, 177, L"", L"Previous Track"},
    {Multimedia, L"Next Track", 37, K, 0, 176, L"", L"Next Track"},
    {Multimedia, L"Stop", 38, K, 0, 178, L"", L"Stop"},
    {Multimedia, L"Play/Pause", 39, K, 0, 179, L"", L"Play/Pause"},
    {Multimedia, L"Mute", 40, K, 0, 173, L"", L"Mute"},
    {Multimedia, L"Volume Up", 41, K, 0, 175, L"", L"Volume Up"},
    {Multimedia, L"Volume Down", 42, K, 0, 174, L"", L"Volume Down"},
    {NetWork, L"Back", 43, K, 0, 166, L"", L"Back"},
    {NetWork, L"Forward", 44, K, 0, 167, L"", L"Forward"},
    {NetWork, L"Stop", 45, K, 0, 169, L"", L"Stop"},
    {NetWork, L"Refresh", 46, K, 0, 168, L"", L"Refresh"},
    {NetWork, L"Search", 47, K, 0, 170, L"", L"Search"},
    {NetWork, L"Favorites", 48, K, 0, 171, L"", L"Favorites"},
    {NetWork, L"Home Page", 49, K, 0, 172, L"", L"Home Page"},
    {NetWork, L"Mail", 50, K, 0, 180, L"", L"Mail"},
    {System, L"Calculator", 51, K, 5, 0, L"calc.exe", L"Calculator"},
    {System, L"My computer", 52, K, 1, 69, L"", L"My Computer"},
    {Win8ShortCut, L"Charms Bar", 56, K, 1, 67, L"", L"Charms Bar"},
    {Win8ShortCut, L"Settings", 57, K, 1, 73, L"", L"Settings"},
    {Win8ShortCut, L"Share", 58, K, 1, 72, L"", L"Share"},
    {Win8ShortCut, L"Devices", 59, K, 1, 75, L"", L"Devices"},
    {Win8ShortCut, L"Apps Search", 60, K, 1, 81, L"", L"Apps Search"},
    {Win8ShortCut, L"ScreenShot", 65, K, 1, 44, L"", L"ScreenShot"},
    {Win8ShortCut, L"Dialog box", 66, K, 1, 82, L"", L"Dialog box"},
    {Win8ShortCut, L"Switch Apps", 67, K, 8, 8, L"", L"Switch Apps"},
};

TEST(FunctionCatalogue, EveryRowInOrderWithItsTextIdValuesAndCaption) {
    ASSERT_EQ(kCatalogue.size(), kExpected.size());
    for (std::size_t i = 0; i < kExpected.size(); ++i) {
        const CatalogueEntry& got = kCatalogue[i];
        const Expected& want = kExpected[i];
        SCOPED_TRACE("row " + std::to_string(i) + " id " + std::to_string(want.id));
        EXPECT_EQ(got.level, want.level);
        EXPECT_EQ(std::wstring(got.menuText), want.menuText);
        EXPECT_EQ(got.commandId, want.id);
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.function, want.function);
        EXPECT_EQ(got.virtualKey, want.virtualKey);
        EXPECT_EQ(std::wstring(got.launchTarget), want.launchTarget);
        EXPECT_EQ(std::wstring(got.slotCaption), want.caption);
    }
}

TEST(FunctionCatalogue, CategoryCaptionsKeepTheirExactSpellingAndBitmaps) {
    const std::vector<std::pair<std::wstring, int>> want = {
        {L"", 150},       {L"Mouse", 156},         {L"Office Used", 156}, {L"Combination", 156},
        {L"Word ", 156},  {L"Archives ", 156},     {L"Multimedia", 156},  {L"NetWork", 156},
        {L"System", 156}, {L"Win8 ShortCut", 157},
    };
    ASSERT_EQ(kCatalogueCategories.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(std::wstring(kCatalogueCategories[i].caption), want[i].first) << i;
        EXPECT_EQ(kCatalogueCategories[i].backgroundBitmap, want[i].second) << i;
        EXPECT_EQ(kCatalogueCategories[i].win8Only, i == want.size() - 1) << i;
    }
    EXPECT_EQ(categoryOf(MenuLevel::Word).parent, MenuLevel::Combination);
    EXPECT_EQ(categoryOf(MenuLevel::Archives).parent, MenuLevel::Combination);
}

TEST(FunctionCatalogue, LookupByIdFindsOnlyCatalogueCommands) {
    EXPECT_EQ(findCatalogueEntry(131)->menuText, L"Right Button");
    EXPECT_EQ(findCatalogueEntry(52)->slotCaption, L"My Computer");
    EXPECT_EQ(findCatalogueEntry(52)->menuText, L"My computer");
    // Gaps in the numbering, the id 131 replaces, category items and
    // commands of other menus.
    for (std::uint32_t id : {0u, 11u, 13u, 53u, 54u, 55u, 61u, 62u, 63u, 64u, 68u, 130u, 132u,
                             1000u, 32782u, 65536u + 24u}) {
        EXPECT_EQ(findCatalogueEntry(id), nullptr) << id;
    }
    std::set<std::uint16_t> ids;
    for (const CatalogueEntry& e : kCatalogue) ids.insert(e.commandId);
    EXPECT_EQ(ids.size(), kCatalogue.size());
}

}  // namespace
}  // namespace vela::menu
