// The function menu as a tree of levels, ready for a platform menu builder.
#pragma once

#include <vector>

#include "menu/FunctionCatalogue.h"

namespace vela::menu {

// One row of a level: either an entry (a command) or a category (a submenu).
struct MenuRow {
    const CatalogueEntry* entry = nullptr;
    const CatalogueCategory* category = nullptr;
    std::vector<MenuRow> rows;  // the submenu's rows, for a category
};

// The root level's rows: its entries first, then its categories, each in table
// order, recursively. "Win8 ShortCut" is left out unless `win8MenuEnabled`.
std::vector<MenuRow> buildFunctionMenuTree(bool win8MenuEnabled);

}  // namespace vela::menu
