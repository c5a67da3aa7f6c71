#include "menu/win32/FunctionMenu.h"

#include <commctrl.h>

#include <atomic>
#include <utility>

#include "core/DpiScale.h"
#include "menu/AssignmentCommands.h"
#include "menu/MenuRowGeometry.h"
#include "menu/MenuTree.h"
#include "menu/ProfileCommands.h"
#include "menu/win32/CMenuXPItem.h"
#include "win32/Dpi.h"

namespace vela::win32 {

namespace {

// Each item gets its own copy of the icon, sized for the row: a shared icon
// from LoadIcon must not be destroyed, an own copy must be.
HICON loadItemIcon(HINSTANCE resources, int edge) {
    return static_cast<HICON>(LoadImageW(resources, MAKEINTRESOURCEW(menu::kMenuItemIcon),
                                         IMAGE_ICON, edge, edge, LR_DEFAULTCOLOR));
}

// What every level of one menu shares: where its resources are, its scale.
struct MenuLook {
    HINSTANCE resources;
    int dpi;
    int iconEdge;
};

std::unique_ptr<CMenuXP> makeLevel(const MenuLook& look, int bitmapId) {
    auto level = std::make_unique<CMenuXP>(look.dpi);
    level->SetBackgroundColor(kFunctionMenuBackground);
    level->SetTextColor(kFunctionMenuText);
    level->SetBackgroundBitmap(LoadBitmapW(look.resources, MAKEINTRESOURCEW(bitmapId)));
    return level;
}

std::unique_ptr<CMenuXPText> item(const MenuLook& look, UINT id, std::wstring_view text) {
    return std::make_unique<CMenuXPText>(
        id, std::wstring(text), loadItemIcon(look.resources, look.iconEdge), look.iconEdge);
}

// A folder of scripts: its subfolders first, each a submenu, then its files.
void fillScripts(CMenuXP& level, const menu::ScriptFolder& folder, const MenuLook& look) {
    for (const menu::ScriptFolder& sub : folder.folders) {
        auto child = makeLevel(look, menu::kSubmenuBackgroundBitmap);
        fillScripts(*child, sub, look);
        level.AppendPopup(item(look, 0, sub.name), std::move(child));
    }
    for (const menu::ScriptFile& file : folder.files)
        level.AppendItem(item(look, file.commandId, file.text));
}

void fillLevel(CMenuXP& level, const std::vector<menu::MenuRow>& rows, const MenuLook& look,
               const FunctionMenuExtras& extras) {
    for (const menu::MenuRow& row : rows) {
        if (row.entry) {
            // The slot's own function checked, with what it does after a tab.
            bool chosen =
                extras.chosenCommand != 0 && row.entry->commandId == extras.chosenCommand;
            std::wstring text(row.entry->menuText);
            if (chosen && !extras.chosenDetail.empty()) text += L"\t" + extras.chosenDetail;
            for (const FunctionMenuExtras::MarkedRow& marked : extras.marked) {
                if (marked.commandId != row.entry->commandId) continue;
                chosen = true;
                text += L"\t" + marked.detail;
            }
            level.AppendItem(std::make_unique<CMenuXPText>(
                row.entry->commandId, std::move(text), loadItemIcon(look.resources, look.iconEdge),
                look.iconEdge));
            if (chosen) CheckMenuItem(level.handle(), row.entry->commandId, MF_CHECKED);
        } else {
            auto child = makeLevel(look, row.category->backgroundBitmap);
            fillLevel(*child, row.rows, look, extras);
            level.AppendPopup(std::make_unique<CMenuXPText>(
                                  0, std::wstring(row.category->caption),
                                  loadItemIcon(look.resources, look.iconEdge), look.iconEdge),
                              std::move(child));
        }
    }
}

LRESULT CALLBACK ownerDrawRelay(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR data) {
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM) {
        if (reinterpret_cast<CMenuXP*>(data)->RouteOwnerDraw(message, lParam)) return TRUE;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ownerDrawRelay, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Routes the owner's owner-draw requests to the menu while it is shown.
class OwnerDrawRelay {
public:
    OwnerDrawRelay(HWND owner, CMenuXP& root) : owner_(owner), id_(++lastId) {
        installed_ = SetWindowSubclass(owner_, ownerDrawRelay, id_,
                                       reinterpret_cast<DWORD_PTR>(&root)) != FALSE;
    }
    ~OwnerDrawRelay() {
        if (installed_) RemoveWindowSubclass(owner_, ownerDrawRelay, id_);
    }
    OwnerDrawRelay(const OwnerDrawRelay&) = delete;
    OwnerDrawRelay& operator=(const OwnerDrawRelay&) = delete;

private:
    static inline std::atomic<UINT_PTR> lastId{0};
    HWND owner_;
    UINT_PTR id_;
    bool installed_ = false;
};

}  // namespace

std::unique_ptr<CMenuXP> BuildFunctionMenu(HINSTANCE resources, bool win8MenuEnabled, int dpi,
                                           const FunctionMenuExtras& extras) {
    const MenuLook look{resources, dpi, scaleToDpi(menu::kMenuIconSize, dpi)};
    auto root = makeLevel(look, menu::kRootBackgroundBitmap);
    fillLevel(*root,
              menu::buildFunctionMenuTree(win8MenuEnabled, extras.buttonRowsOffered,
                                          extras.triggerRowsOffered),
              look, extras);
    return root;
}

void ShowProfileMenu(HWND owner, int x, int y, const ProfileMenuContent& content,
                     HINSTANCE resources) {
    const int dpi = windowDpi(owner);
    const MenuLook look{resources, dpi, scaleToDpi(menu::kMenuIconSize, dpi)};
    std::unique_ptr<CMenuXP> root = makeLevel(look, menu::kRootBackgroundBitmap);
    for (const auto* rows : {&content.profiles, &content.layers}) {
        for (const ProfileMenuRow& row : *rows) {
            root->AppendItem(item(look, row.commandId, row.text));
            if (row.checked) CheckMenuItem(root->handle(), row.commandId, MF_CHECKED);
        }
    }
    auto programs = makeLevel(look, menu::kSubmenuBackgroundBitmap);
    if (content.offersWindowPick)
        programs->AppendItem(item(look, kPickWindowCommand, menu::kPickWindowText));
    for (const ProfileMenuRow& row : content.newFor)
        programs->AppendItem(item(look, row.commandId, row.text));
    const UINT newForRow = static_cast<UINT>(GetMenuItemCount(root->handle()));
    root->AppendPopup(item(look, 0, menu::kNewProfileForText), std::move(programs));
    if (content.newFor.empty() && !content.offersWindowPick)
        EnableMenuItem(root->handle(), newForRow, MF_BYPOSITION | MF_GRAYED);
    root->AppendItem(
        item(look, kDeleteProfileCommand,
             content.deletesLayer ? menu::kDeleteLayerText : menu::kDeleteProfileText));
    if (!content.canDelete)
        EnableMenuItem(root->handle(), kDeleteProfileCommand, MF_BYCOMMAND | MF_GRAYED);
    if (content.offersFiles) {
        root->AppendItem(item(look, kExportProfileCommand, menu::kExportProfileText));
        root->AppendItem(item(look, kExportAllProfilesCommand, menu::kExportAllProfilesText));
        root->AppendItem(item(look, kImportProfileCommand, menu::kImportProfileText));
        if (!content.canExportShown)
            EnableMenuItem(root->handle(), kExportProfileCommand, MF_BYCOMMAND | MF_GRAYED);
        if (!content.canExportAll)
            EnableMenuItem(root->handle(), kExportAllProfilesCommand, MF_BYCOMMAND | MF_GRAYED);
    }
    if (content.velaOff) {
        root->AppendItem(
            item(look, kVelaOffCommand,
                 content.velaOffForWindows ? menu::kVelaOffInWindowsText : menu::kVelaOffText));
        if (*content.velaOff) CheckMenuItem(root->handle(), kVelaOffCommand, MF_CHECKED);
    }
    {
        OwnerDrawRelay relay(owner, *root);
        TrackPopupMenu(root->handle(), 0, x, y, 0, owner, nullptr);
    }
    root.reset();
}

void ShowFunctionMenu(HWND owner, int x, int y, bool win8MenuEnabled, HINSTANCE resources,
                      const FunctionMenuExtras& extras) {
    const int dpi = windowDpi(owner);
    const MenuLook look{resources, dpi, scaleToDpi(menu::kMenuIconSize, dpi)};
    std::unique_ptr<CMenuXP> root = BuildFunctionMenu(resources, win8MenuEnabled, dpi, extras);
    if (extras.scripts) {
        auto macros = makeLevel(look, menu::kSubmenuBackgroundBitmap);
        fillScripts(*macros, menu::scriptMenuTree(*extras.scripts), look);
        macros->AppendItem(item(look, kOpenMacroFolderCommand, menu::kOpenMacroFolderText));
        root->AppendPopup(item(look, 0, menu::kMacroCategoryText), std::move(macros));
    }
    for (const SlotOptionRow& row : extras.options) {
        root->AppendItem(item(look, row.option->commandId, row.option->menuText));
        if (row.on) CheckMenuItem(root->handle(), row.option->commandId, MF_CHECKED);
    }
    if (extras.layerOwnClick) {
        root->AppendItem(item(look, menu::kLayerOwnClickCommand, menu::kLayerOwnClickText));
        if (*extras.layerOwnClick)
            CheckMenuItem(root->handle(), menu::kLayerOwnClickCommand, MF_CHECKED);
    }
    if (extras.scroll) {
        root->AppendItem(item(look, menu::kScrollOneAxisCommand, menu::kScrollOneAxisText));
        if (extras.scroll->oneAxis)
            CheckMenuItem(root->handle(), menu::kScrollOneAxisCommand, MF_CHECKED);
        auto speeds = makeLevel(look, menu::kSubmenuBackgroundBitmap);
        for (std::size_t i = 0; i < menu::kScrollSpeeds.size(); ++i) {
            const auto id = static_cast<std::uint16_t>(menu::kFirstScrollSpeedCommand + i);
            speeds->AppendItem(item(look, id, std::to_wstring(menu::kScrollSpeeds[i]) + L" %"));
            if (menu::kScrollSpeeds[i] == extras.scroll->speed)
                CheckMenuItem(speeds->handle(), id, MF_CHECKED);
        }
        root->AppendPopup(item(look, 0, menu::kScrollSpeedText), std::move(speeds));
    }
    {
        OwnerDrawRelay relay(owner, *root);
        TrackPopupMenu(root->handle(), 0, x, y, 0, owner, nullptr);
    }
    root.reset();
}

}  // namespace vela::win32
