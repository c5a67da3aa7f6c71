// The function menu as a tree of levels, ready for a platform menu builder.
#pragma once

#include <string>
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
// order, recursively. "Win8 ShortCut" is left out unless `win8MenuEnabled`;
// "Layer While Held", "Gestures…" and "Drag to Scroll" unless `buttonRows`;
// "Double Click…" and "Long Press…" unless `triggerRows`.
std::vector<MenuRow> buildFunctionMenuTree(bool win8MenuEnabled, bool buttonRows = false,
                                           bool triggerRows = false);

// The "Macro" category: a script's row shows its file name without ".txt"
// and sends kFirstScriptCommand plus its place in the list it came from.
struct ScriptFile {
    std::wstring text;
    std::uint16_t commandId;
};
struct ScriptFolder {
    std::wstring name;
    std::vector<ScriptFolder> folders;
    std::vector<ScriptFile> files;
};

// The folders and files of `scripts` (paths under ScriptsMacros, "\\" or "/"
// between folders), folders in the order they first appear. Only the first
// kMaxMenuScripts scripts are taken.
ScriptFolder scriptMenuTree(const std::vector<std::wstring>& scripts);

// What a slot's caption shows for a script: its file name without ".txt".
std::wstring scriptCaption(std::wstring_view script);

}  // namespace vela::menu
