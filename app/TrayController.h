// The notification area: Vela's icon, its menu and the menu's commands (hide,
// show, reset, pause, start with Windows, the notice of profile changes, exit), and the pause
// shortcut. It owns a hidden window of its own, where the icon's notifications, the taskbar's
// return, its timers, the shortcut and the menu's commands arrive.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/TrayIcon.h"
#include "app/ports/Win32TimerPort.h"
#include "core/Autostart.h"
#include "core/BalloonQueue.h"
#include "core/PauseHotkey.h"
#include "core/SavePort.h"
#include "core/SlotModel.h"
#include "core/ViewPorts.h"
#include "menu/MouseMenu.h"
#include "menu/TrayState.h"
#include "win32/Handle.h"
#include "win32/MessageWindow.h"

namespace vela {

// The shortcut that pauses and resumes remapping from anywhere.
inline constexpr UINT kPauseHotkeyModifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
inline constexpr UINT kPauseHotkeyKey = 'P';
inline constexpr wchar_t kPauseHotkeyText[] = L"Ctrl+Alt+Shift+P";
// While another program owns the shortcut, Vela asks for it again this often.
inline constexpr std::uint32_t kPauseHotkeyRetryMs = 3000;
// A balloon waits for the one up to go; a shell that never says so (Wine)
// has shown it by then.
inline constexpr std::uint32_t kBalloonLongestShowMs = 15000;

// What the tray's menu and the pause shortcut ask of the rest of Vela.
class TrayEvents {
public:
    virtual ~TrayEvents() = default;
    // Ends the program ("Exit Application"); does not return.
    virtual void exitApplication() = 0;
    // "Pause Remapping" and its shortcut: turns the pause on or off; and
    // whether it is on.
    virtual void togglePause() = 0;
    virtual bool paused() const = 0;
    // Before "Reset": the window goes back to showing "All Programs".
    virtual void beforeReset() = 0;
    // The "Mouse" submenu's rows as they are now, and a command chosen in it.
    virtual std::vector<menu::MouseMenuRow> mouseMenu() const = 0;
    virtual void mouseCommand(std::uint32_t command) = 0;
    // "Show Profile Changes": whether it is on, and turning it on or off.
    virtual bool showsProfileChanges() const = 0;
    virtual void toggleProfileChanges() = 0;
    // "Wheel Follows the Pointer": the same.
    virtual bool wheelFollowsPointer() const = 0;
    virtual void toggleWheelFollowsPointer() = 0;
};

struct TrayActions {
    WindowPort& window;
    SlotModel& model;
    SavePort& saver;
    Autostart& autostart;
    TrayEvents& events;
};

class TrayController {
public:
    TrayController(HINSTANCE module, TrayActions actions);

    // Shows the icon; a double click on it brings `mainWindow` forward.
    void add(HWND mainWindow, HICON icon);
    void remove() { icon_.remove(); }
    // The grey icon while remapping is paused, Vela's own otherwise.
    void showPaused(bool paused);
    // The grey icon too while Vela is off in the program in front, and the
    // tip says so; "" once it is on again.
    void showVelaOff(const std::wstring& program);
    // The bounces filtered so far, in the icon's tip once there are any. The
    // tray's window takes the tip as its title, where tools that list windows
    // can read it.
    void showBounces(const BounceCounts& counts);
    // A balloon from the icon, once any before it has gone.
    void showBalloon(const wchar_t* title, const std::wstring& text) {
        balloons_.post({title, text});
    }
    // Takes the pause shortcut as soon as no other program owns it; the menu
    // shows it beside "Pause Remapping" from then on. Refused, the user is
    // told once with a balloon: call it once the icon is there.
    void claimPauseShortcut() { pauseShortcut_.claim(); }
    // A command of the tray menu (its "Mouse" submenu's too), whichever of
    // Vela's windows it was posted to: outside programs post them to the main
    // window. True when it was one.
    bool onCommand(std::uint32_t id);

private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onNotification(WPARAM iconId, LPARAM mouseMessage);
    void openMenu();
    void addMouseMenu(HMENU popup);
    // The icon and its tip (and the window's title) as the state is now.
    void showState();

    HINSTANCE module_;
    TrayActions actions_;
    win32::MessageWindow window_;
    win32::Win32TimerPort timers_;
    TrayIcon icon_;
    PauseHotkey pauseShortcut_;
    BalloonQueue balloons_;
    HWND mainWindow_ = nullptr;
    HICON normalIcon_ = nullptr;  // the window's, not ours to destroy
    win32::UniqueIcon pausedIcon_;
    std::wstring pauseShortcutText_;  // shown once Vela owns the shortcut
    std::wstring bounces_;            // the tip's note
    menu::TrayState state_;
};

}  // namespace vela
