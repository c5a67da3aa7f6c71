// The notification area: the tray's icon, its menu and the pause shortcut,
// and what the icon has to tell once it is there.
#pragma once

#include <windows.h>

#include <string>

#include "app/TrayController.h"

namespace vela {

class TraySide {
public:
    TraySide(HINSTANCE module, TrayActions actions) : tray(module, std::move(actions)) {}
    TraySide(const TraySide&) = delete;
    TraySide& operator=(const TraySide&) = delete;

    // Shows the icon (a double click on it brings `mainWindow` forward), then
    // what waited for it: a folder that would not take the settings, and the
    // pause shortcut claimed (the icon says when another program has it).
    void add(HWND mainWindow, HICON icon);
    // The settings went to the per-user file since `folder` would not take
    // them: a balloon says so, once the icon is there to carry it (the
    // settings load before it is added).
    void tellFallback(const std::wstring& folder);

    TrayController tray;

private:
    std::wstring unwritableFolder_;  // told once the icon exists
    bool added_ = false;
};

}  // namespace vela
