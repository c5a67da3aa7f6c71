// The menu of the notification-area icon.
#pragma once

#include <windows.h>

namespace vela {

// Pops up the tray menu at the pointer with `owner` as its owner, so the
// chosen command arrives there as WM_COMMAND. "Start With Windows" is checked
// while `autostartOn`. Returns once the menu has closed.
void showTrayMenu(HINSTANCE module, HWND owner, bool autostartOn);

}  // namespace vela
