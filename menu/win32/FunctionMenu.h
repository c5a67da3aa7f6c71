// The function menu: built from the catalogue, shown once, thrown away.
#pragma once

#include <windows.h>

#include <memory>

#include "menu/FunctionMenuPort.h"
#include "menu/ProfileMenuPort.h"
#include "menu/win32/CMenuXP.h"

namespace vela::win32 {

// Light grey behind the icons (and the rows, should a bitmap be missing).
inline constexpr COLORREF kFunctionMenuBackground = RGB(215, 215, 215);
inline constexpr COLORREF kFunctionMenuText = RGB(0, 0, 0);

// The whole tree, its bitmaps and icons loaded from `resources`, its rows,
// icons and font at `dpi`, the row of `extras.chosenCommand` checked and its
// detail shown. A resource that fails to load leaves its level or row without
// it.
std::unique_ptr<CMenuXP> BuildFunctionMenu(HINSTANCE resources, bool win8MenuEnabled, int dpi = 96,
                                           const FunctionMenuExtras& extras = {});

// Shows the function menu for `owner` at screen point (x, y) and returns when
// it closes; the choice reaches `owner` as WM_COMMAND. While the menu is open
// the owner's measure and draw requests for it are answered here, so the
// owner needs no code of its own for them. The menu takes the scale of the
// monitor the owner is on. `extras` adds the "Macro" category after the
// catalogue's and ends the root in the slot's option rows ("Hold While Pressed").
void ShowFunctionMenu(HWND owner, int x, int y, bool win8MenuEnabled, HINSTANCE resources,
                      const FunctionMenuExtras& extras = {});

// Shows the profile menu in the function menu's look, as ShowFunctionMenu
// does: the profiles and the layers (the edited one ticked), "New Profile
// For" the open programs (greyed when there are none) and "Delete This
// Profile" or "Delete This Layer" (greyed while "All Programs" is edited),
// then, where offered, the rows that export and import profile files.
void ShowProfileMenu(HWND owner, int x, int y, const ProfileMenuContent& content,
                     HINSTANCE resources = GetModuleHandleW(nullptr));

}  // namespace vela::win32
