#include "menu/MenuTree.h"

namespace vela::menu {

namespace {

std::vector<MenuRow> rowsOf(MenuLevel level, bool win8MenuEnabled) {
    std::vector<MenuRow> rows;
    for (const CatalogueEntry& e : kCatalogue) {
        if (e.level == level) rows.push_back({&e, nullptr, {}});
    }
    for (const CatalogueCategory& c : kCatalogueCategories) {
        if (c.level == MenuLevel::Root || c.parent != level) continue;
        if (c.win8Only && !win8MenuEnabled) continue;
        rows.push_back({nullptr, &c, rowsOf(c.level, win8MenuEnabled)});
    }
    return rows;
}

}  // namespace

std::vector<MenuRow> buildFunctionMenuTree(bool win8MenuEnabled) {
    return rowsOf(MenuLevel::Root, win8MenuEnabled);
}

}  // namespace vela::menu
