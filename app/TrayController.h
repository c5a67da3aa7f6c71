// The notification area: Vela's icon, its menu and the menu's commands (hide,
// show, reset, pause, start with Windows, exit). Self-contained: the application
// hands it the pieces it acts on and passes it every message; it takes the
// ones that are its own.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/TrayIcon.h"
#include "core/Autostart.h"
#include "core/SavePort.h"
#include "core/TimerPort.h"
#include "core/ViewPorts.h"
#include "core/SlotModel.h"
#include "win32/Handle.h"

namespace vela {

struct TrayActions {
    WindowPort& window;
    SlotModel& model;
    SavePort& saver;
    Autostart& autostart;
    TimerPort& timers;
    // Ends the program ("Exit Application"); does not return.
    std::function<void()> exit;
    // "Pause Remapping": turns the pause on or off; and whether it is on.
    std::function<void()> togglePause;
    std::function<bool()> paused;
    // Before "Reset": the window goes back to showing "All Programs".
    std::function<void()> beforeReset;
};

class TrayController {
public:
    TrayController(HINSTANCE module, TrayActions actions);

    // Shows the icon for `owner`, the main window.
    void add(HWND owner, HICON icon);
    void remove() { icon_.remove(); }
    // The grey icon while remapping is paused, Vela's own otherwise.
    void showPaused(bool paused);
    void showBalloon(const wchar_t* title, const std::wstring& text) {
        icon_.showBalloon(title, text);
    }
    // The shortcut shown beside "Pause Remapping": only once Vela owns it.
    void showPauseShortcut(std::wstring shortcut) { pauseShortcut_ = std::move(shortcut); }

    // The icon's notifications, the taskbar's return, the menu's delay timer
    // and the menu's commands; nullopt for any other message.
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT onNotification(WPARAM iconId, LPARAM mouseMessage);
    void openMenu();
    std::optional<LRESULT> onCommand(WORD id);

    HINSTANCE module_;
    TrayActions actions_;
    TrayIcon icon_;
    HWND owner_ = nullptr;
    HICON normalIcon_ = nullptr;  // the window's, not ours to destroy
    win32::UniqueIcon pausedIcon_;
    std::wstring pauseShortcut_;
};

}  // namespace vela
