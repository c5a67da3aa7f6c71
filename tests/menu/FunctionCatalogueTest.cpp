// What must hold of the function catalogue, whatever rows it has: every row
// can be reached in the menu, no level shows one text twice, every command id
// is its own and handled by the catalogue alone, and every row stores values
// that make sense for what it does.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/MessageIds.h"
#include "core/SlotOptions.h"
#include "menu/FunctionCatalogue.h"
#include "menu/ProfileCommands.h"

namespace vela::menu {
namespace {

std::string text(std::wstring_view w) {
    std::string out;
    for (wchar_t c : w) out += c < 0x80 ? static_cast<char>(c) : '~';
    return out;
}

std::string describe(const CatalogueEntry& e) {
    return "\"" + text(e.menuText) + "\" (" + std::to_string(e.commandId) + ")";
}

bool isCategory(MenuLevel level) {
    return std::ranges::any_of(kCatalogueCategories,
                               [&](const CatalogueCategory& c) { return c.level == level; });
}

TEST(FunctionCatalogue, EveryRowSitsInACategoryThatLeadsUpToTheRoot) {
    std::set<MenuLevel> levels;
    for (const CatalogueCategory& c : kCatalogueCategories)
        EXPECT_TRUE(levels.insert(c.level).second) << "category listed twice: " << text(c.caption);
    for (const CatalogueCategory& c : kCatalogueCategories) {
        MenuLevel at = c.level;
        for (std::size_t step = 0; at != MenuLevel::Root && step <= kCatalogueCategories.size();
             ++step) {
            ASSERT_TRUE(isCategory(categoryOf(at).parent)) << text(c.caption);
            at = categoryOf(at).parent;
        }
        EXPECT_EQ(at, MenuLevel::Root) << "\"" << text(c.caption) << "\" never reaches the root";
    }
    for (const CatalogueEntry& e : kCatalogue)
        EXPECT_TRUE(isCategory(e.level)) << describe(e) << " is in no category";
}

TEST(FunctionCatalogue, EveryCategoryOffersSomething) {
    for (const CatalogueCategory& c : kCatalogueCategories) {
        const bool entries = std::ranges::any_of(
            kCatalogue, [&](const CatalogueEntry& e) { return e.level == c.level; });
        const bool children = std::ranges::any_of(kCatalogueCategories, [&](const auto& child) {
            return child.level != MenuLevel::Root && child.parent == c.level;
        });
        EXPECT_TRUE(entries || children) << "\"" << text(c.caption) << "\" is empty";
    }
}

TEST(FunctionCatalogue, NoLevelShowsATextTwice) {
    std::map<MenuLevel, std::vector<std::wstring_view>> shown;
    for (const CatalogueEntry& e : kCatalogue) shown[e.level].push_back(e.menuText);
    for (const CatalogueCategory& c : kCatalogueCategories)
        if (c.level != MenuLevel::Root) shown[c.parent].push_back(c.caption);
    // The root's own rows after the catalogue's.
    shown[MenuLevel::Root].push_back(kMacroCategoryText);
    for (const SlotOption& option : kSlotOptions) shown[MenuLevel::Root].push_back(option.menuText);
    for (auto& [level, texts] : shown) {
        std::set<std::wstring_view> seen;
        for (std::wstring_view t : texts) {
            EXPECT_FALSE(t.empty()) << "a row without text in level " << static_cast<int>(level);
            EXPECT_TRUE(seen.insert(t).second) << "\"" << text(t) << "\" twice in one level";
        }
    }
}

TEST(FunctionCatalogue, CommandIdsAreUniqueAndNoOtherCommandOfTheWindow) {
    // Every other command the main window handles, single or as a range.
    struct Range {
        const char* what;
        std::uint32_t first, last;
    };
    std::vector<Range> others = {
        {"the dialog's buttons", kDialogButtonCommands.first, kDialogButtonCommands.last},
        {"the function menu's own rows", kMenuExtraCommands.first, kMenuExtraCommands.last},
        {"the window's controls", kControlCommands.first, kControlCommands.last},
        {"the script menu", kScriptMenuCommands.first, kScriptMenuCommands.last},
        {"the tray menu", kTrayCommands.first, kTrayCommands.last},
        {"the scripts", kScriptCommands.first, kScriptCommands.last},
        {"the profile menu", kProfileCommands.first, kProfileCommands.last},
    };
    for (const SlotOption& option : kSlotOptions)
        others.push_back({"a slot option", option.commandId, option.commandId});
    std::set<std::uint16_t> ids;
    for (const CatalogueEntry& e : kCatalogue) {
        EXPECT_NE(e.commandId, 0) << describe(e) << ": 0 marks a category item";
        EXPECT_TRUE(ids.insert(e.commandId).second) << describe(e) << ": id taken twice";
        for (const Range& r : others)
            EXPECT_FALSE(e.commandId >= r.first && e.commandId <= r.last)
                << describe(e) << " is also a command of " << r.what;
    }
}

TEST(FunctionCatalogue, LookupFindsEveryRowByItsIdAndNothingElse) {
    std::set<std::uint32_t> ids;
    for (const CatalogueEntry& e : kCatalogue) {
        EXPECT_EQ(findCatalogueEntry(e.commandId), &e) << describe(e);
        ids.insert(e.commandId);
    }
    for (std::uint32_t id = 0; id <= 0x10000 + 0xFFFF; ++id) {
        if (!ids.contains(id)) {
            ASSERT_EQ(findCatalogueEntry(id), nullptr) << id;
        }
    }
}

TEST(FunctionCatalogue, TheWin8CategoryComesLastAndAloneCarriesItsFlagAndBitmap) {
    EXPECT_EQ(kCatalogueCategories.front().level, MenuLevel::Root);
    EXPECT_EQ(kCatalogueCategories.front().backgroundBitmap, kRootBackgroundBitmap);
    EXPECT_TRUE(kCatalogueCategories.back().win8Only);
    EXPECT_EQ(kCatalogueCategories.back().backgroundBitmap, kWin8BackgroundBitmap);
    for (std::size_t i = 1; i + 1 < kCatalogueCategories.size(); ++i) {
        EXPECT_FALSE(kCatalogueCategories[i].win8Only) << text(kCatalogueCategories[i].caption);
        EXPECT_EQ(kCatalogueCategories[i].backgroundBitmap, kSubmenuBackgroundBitmap)
            << text(kCatalogueCategories[i].caption);
    }
}

TEST(FunctionCatalogue, EveryRowStoresValuesThatFitWhatItDoes) {
    std::multiset<MouseFunction> mouseFunctions;
    int restoreRows = 0;
    for (const CatalogueEntry& e : kCatalogue) {
        SCOPED_TRACE(describe(e));
        // A row that asks first (or makes the slot native, or chooses a
        // trigger's function) names no function; the caption of one that asks
        // is what the user chose.
        const bool asks = e.kind == EntryKind::RestoreOwnFunction ||
                          e.kind == EntryKind::ChooseProgram ||
                          e.kind == EntryKind::ChooseShortcut || e.kind == EntryKind::ChooseText ||
                          e.kind == EntryKind::DoubleClick || e.kind == EntryKind::LongPress;
        EXPECT_EQ(actionOf(e).has_value(), !asks);
        EXPECT_EQ(e.slotCaption.empty(), asks);
        EXPECT_EQ(e.virtualKey != 0, e.kind == EntryKind::Key);
        EXPECT_EQ(!e.launchTarget.empty(), e.kind == EntryKind::Launch);
        if (e.kind == EntryKind::RestoreOwnFunction) {
            ++restoreRows;
            EXPECT_EQ(e.commandId, kNoSettingsCommand);
        }
        if (e.kind == EntryKind::RestoreOwnFunction || e.kind == EntryKind::LayerWhileHeld) {
            EXPECT_EQ(e.level, MenuLevel::Root);
        }
        if (e.kind == EntryKind::Mouse) mouseFunctions.insert(e.mouse);
    }
    EXPECT_EQ(restoreRows, 1);
    // The mouse category offers every mouse function, each once.
    for (std::size_t f = 0; f < kMouseFunctionCount; ++f)
        EXPECT_EQ(mouseFunctions.count(static_cast<MouseFunction>(f)), 1u)
            << "mouse function " << f;
}

}  // namespace
}  // namespace vela::menu
