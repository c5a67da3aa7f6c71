#include "app/TrayMenu.h"

#include "app/win/Handle.h"
#include "resources/resource.h"

namespace vela {

void showTrayMenu(HINSTANCE module, HWND owner, bool autostartOn) {
    win32::UniqueMenu menu(LoadMenuW(module, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    if (!popup) return;
    if (autostartOn) CheckMenuItem(popup, ID_TRAY_AUTOSTART, MF_BYCOMMAND | MF_CHECKED);
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    // Without a message to the owner after the menu closes, a second click
    // on the icon would not open the menu again (the owner is often hidden and
    // not truly the foreground window).
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace vela
