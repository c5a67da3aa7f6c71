#include "menu/MenuTree.h"

#include <algorithm>
#include <iterator>

#include "core/CaselessName.h"

namespace vela::menu {

namespace {

std::vector<MenuRow> rowsOf(MenuLevel level, bool win8MenuEnabled, bool buttonRows,
                            bool triggerRows) {
    std::vector<MenuRow> rows;
    for (const CatalogueEntry& e : kCatalogue) {
        const bool trigger = e.kind == EntryKind::DoubleClick || e.kind == EntryKind::LongPress;
        if (trigger ? !triggerRows : isButtonRow(e.kind) && !buttonRows) continue;
        if (e.level == level) rows.push_back({&e, nullptr, {}});
    }
    for (const CatalogueCategory& c : kCatalogueCategories) {
        if (c.level == MenuLevel::Root || c.parent != level) continue;
        if (c.win8Only && !win8MenuEnabled) continue;
        rows.push_back({nullptr, &c, rowsOf(c.level, win8MenuEnabled, buttonRows, triggerRows)});
    }
    return rows;
}

}  // namespace

std::vector<MenuRow> buildFunctionMenuTree(bool win8MenuEnabled, bool buttonRows,
                                           bool triggerRows) {
    return rowsOf(MenuLevel::Root, win8MenuEnabled, buttonRows, triggerRows);
}

ScriptFolder scriptMenuTree(const std::vector<std::wstring>& scripts) {
    ScriptFolder root;
    const std::size_t count = std::min(scripts.size(), kMaxMenuScripts);
    for (std::size_t i = 0; i < count; ++i) {
        ScriptFolder* folder = &root;
        std::wstring_view rest = scripts[i];
        for (std::size_t cut; (cut = rest.find_first_of(L"\\/")) != std::wstring_view::npos;
             rest.remove_prefix(cut + 1)) {
            const std::wstring name(rest.substr(0, cut));
            if (name.empty()) continue;
            auto it = std::find_if(folder->folders.begin(), folder->folders.end(),
                                   [&](const ScriptFolder& f) { return f.name == name; });
            if (it == folder->folders.end()) {
                folder->folders.push_back({name, {}, {}});
                it = std::prev(folder->folders.end());
            }
            folder = &*it;
        }
        folder->files.push_back(
            {scriptCaption(scripts[i]), static_cast<std::uint16_t>(kFirstScriptCommand + i)});
    }
    return root;
}

std::wstring scriptCaption(std::wstring_view script) {
    const std::size_t slash = script.find_last_of(L"\\/");
    std::wstring name(slash == std::wstring_view::npos ? script : script.substr(slash + 1));
    constexpr std::wstring_view kExtension = L".txt";
    if (name.size() > kExtension.size() &&
        sameCaseless(std::wstring_view(name).substr(name.size() - kExtension.size()), kExtension))
        name.resize(name.size() - kExtension.size());
    return name;
}

}  // namespace vela::menu
