// The shape of the function menu: which rows each level shows, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/MenuTree.h"

namespace vela::menu {
namespace {

// A level as "text" for entries and "[caption]" for submenus.
std::vector<std::wstring> labels(const std::vector<MenuRow>& rows) {
    std::vector<std::wstring> out;
    for (const MenuRow& r : rows) {
        if (r.entry) {
            EXPECT_EQ(r.category, nullptr);
            EXPECT_TRUE(r.rows.empty());
            out.push_back(std::wstring(r.entry->menuText));
        } else {
            EXPECT_NE(r.category, nullptr);
            out.push_back(L"[" + std::wstring(r.category->caption) + L"]");
        }
    }
    return out;
}

const MenuRow& submenu(const std::vector<MenuRow>& rows, std::wstring_view caption) {
    for (const MenuRow& r : rows) {
        if (r.category && r.category->caption == caption) return r;
    }
    ADD_FAILURE() << "no submenu";
    static const MenuRow none;
    return none;
}

std::size_t countEntries(const std::vector<MenuRow>& rows) {
    std::size_t n = 0;
    for (const MenuRow& r : rows) n += r.entry ? 1 : countEntries(r.rows);
    return n;
}

using Labels = std::vector<std::wstring>;

TEST(FunctionMenuTree, RootShowsItsThreeEntriesThenSevenCategoriesWithoutWin8) {
    const auto root = buildFunctionMenuTree(false);
    EXPECT_EQ(labels(root), (Labels{L"No Settings", L"Keys and Shortcuts\u2026", L"Type Text\u2026",
                                    L"[Mouse]", L"[Office Used]", L"[Combination]", L"[Multimedia]",
                                    L"[NetWork]", L"[System]"}));
    EXPECT_EQ(countEntries(root), 44u);
}

TEST(FunctionMenuTree, Win8CategoryComesLastOnlyWhenEnabled) {
    const auto root = buildFunctionMenuTree(true);
    ASSERT_EQ(root.size(), 10u);  // three entries and seven categories
    EXPECT_EQ(labels(root).back(), L"[Win8 ShortCut]");
    EXPECT_EQ(root.back().category->backgroundBitmap, 157);
    EXPECT_EQ(labels(root.back().rows),
              (Labels{L"Charms Bar", L"Settings", L"Share", L"Devices", L"Apps Search",
                      L"ScreenShot", L"Dialog box", L"Switch Apps"}));
    EXPECT_EQ(countEntries(root), 52u);
}

TEST(FunctionMenuTree, EachSubmenuListsItsEntriesInOrder) {
    const auto root = buildFunctionMenuTree(false);
    EXPECT_EQ(labels(submenu(root, L"Mouse").rows),
              (Labels{L"Left Button", L"Right Button", L"Middle Button", L"Forward", L"Back",
                      L"Wheel Up", L"Wheel Down"}));
    EXPECT_EQ(labels(submenu(root, L"Office Used").rows),
              (Labels{L"Zoom In", L"Zoom Out", L"Paste Text", L"Run Software"}));
    EXPECT_EQ(labels(submenu(root, L"Multimedia").rows),
              (Labels{L"Media Player", L"Previous Track", L"Next Track", L"Stop", L"Play/Pause",
                      L"Mute", L"Volume Up", L"Volume Down"}));
    EXPECT_EQ(labels(submenu(root, L"NetWork").rows),
              (Labels{L"Back", L"Forward", L"Stop", L"Refresh", L"Search", L"Favorites",
                      L"Home Page", L"Mail"}));
    EXPECT_EQ(labels(submenu(root, L"System").rows), (Labels{L"Calculator", L"My computer"}));
}

TEST(FunctionMenuTree, CombinationHoldsOnlyWordThenArchives) {
    const auto root = buildFunctionMenuTree(false);
    const MenuRow& combination = submenu(root, L"Combination");
    EXPECT_EQ(labels(combination.rows), (Labels{L"[Word ]", L"[Archives ]"}));
    EXPECT_EQ(labels(submenu(combination.rows, L"Word ").rows),
              (Labels{L"Cut(Ctrl+X)", L"Copy(Ctrl+C)", L"Paste(Ctrl+V)", L"Delete(Del)",
                      L"Search(Ctrl+F)", L"Select All(Ctrl+A)", L"Redo(Ctrl+Y)", L"Undo(Ctrl+Z)"}));
    EXPECT_EQ(labels(submenu(combination.rows, L"Archives ").rows),
              (Labels{L"New(Ctrl+N)", L"Open(Ctrl+O)", L"Save(Ctrl+S)", L"Print(Ctrl+P)"}));
    for (const MenuRow& r : combination.rows) EXPECT_EQ(r.category->backgroundBitmap, 156);
}

TEST(ScriptMenu, FoldersBecomeSubmenusAndEachScriptKeepsItsPlaceInTheList) {
    const ScriptFolder tree = scriptMenuTree({L"Copy All.txt", L"Games\\Reload.TXT",
                                              L"Games/Deep\\Aim.txt", L"Games\\Heal", L"Zoom.txt"});
    ASSERT_EQ(tree.folders.size(), 1u);
    EXPECT_EQ(tree.folders[0].name, L"Games");
    ASSERT_EQ(tree.folders[0].folders.size(), 1u);
    EXPECT_EQ(tree.folders[0].folders[0].name, L"Deep");
    ASSERT_EQ(tree.folders[0].folders[0].files.size(), 1u);
    EXPECT_EQ(tree.folders[0].folders[0].files[0].text, L"Aim");
    EXPECT_EQ(tree.folders[0].folders[0].files[0].commandId, kFirstScriptCommand + 2);
    ASSERT_EQ(tree.folders[0].files.size(), 2u);
    EXPECT_EQ(tree.folders[0].files[0].text, L"Reload");
    EXPECT_EQ(tree.folders[0].files[1].text, L"Heal") << "a name without .txt stays whole";
    ASSERT_EQ(tree.files.size(), 2u);
    EXPECT_EQ(tree.files[0].text, L"Copy All");
    EXPECT_EQ(tree.files[1].commandId, kFirstScriptCommand + 4);
}

TEST(ScriptMenu, AtMostAThousandScriptsAndCaptionsWithoutTheExtension) {
    std::vector<std::wstring> many(kMaxMenuScripts + 5, L"a.txt");
    EXPECT_EQ(scriptMenuTree(many).files.size(), kMaxMenuScripts);
    EXPECT_EQ(scriptCaption(L"sub\\Reload.Txt"), L"Reload");
    EXPECT_EQ(scriptCaption(L".txt"), L".txt");
    EXPECT_EQ(scriptCaption(L"notes.txt.bak"), L"notes.txt.bak");
}

}  // namespace
}  // namespace vela::menu
