// Follows the program in front for the per-program profiles: the platform's
// half of core/ForegroundFollower.h.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/ports/Win32TimerPort.h"
#include "core/ForegroundCheckPort.h"
#include "core/ForegroundFollower.h"
#include "menu/ProfileMenuPort.h"
#include "win32/Handle.h"
#include "win32/MessageWindow.h"

namespace vela::win32 {

// The file name of the program a window belongs to ("notepad.exe"), or "".
std::wstring programOfWindow(HWND window);
// A window's class name and title, "" where it has none.
std::wstring classOfWindow(HWND window);
std::wstring titleOfWindow(HWND window);

// The programs of the windows a person can see and switch to: visible,
// unowned, titled, not tool windows.
class Win32ProgramList final : public ProgramListPort {
public:
    std::vector<std::wstring> programsWithWindows() override;
};

// The window in front and its program, the system's foreground event (out of
// context: it arrives as a message to this thread and nothing of Vela is
// loaded into other programs), and a message window of its own for the
// looks after a click. The clicks themselves come from the hook engine:
// systems whose foreground event does not reach other processes (Wine) have
// only them.
class Win32ForegroundWatch final : public ForegroundCheckPort, private ForegroundPort {
public:
    explicit Win32ForegroundWatch(HINSTANCE module);
    ~Win32ForegroundWatch() override;
    Win32ForegroundWatch(const Win32ForegroundWatch&) = delete;
    Win32ForegroundWatch& operator=(const Win32ForegroundWatch&) = delete;

    // Starts watching; `changed` hears the window now in front at once and
    // at every change after.
    void start(ForegroundFollower::Changed changed);
    // ForegroundCheckPort: a remapped press is about to act, a click went
    // through, a notch asks for the window under the pointer.
    void checkForeground(bool titles) override { follower_.check(titles); }
    WindowIdentity windowUnderPointer() override;
    void clickSeen() override { follower_.clickSeen(); }
    // While no click is watched, the window in front is looked at often.
    void lookOften(bool often) { follower_.lookOften(often); }

private:
    std::uintptr_t windowInFront() override;
    WindowIdentity identityOf(std::uintptr_t window) override;
    std::wstring titleOf(std::uintptr_t window) override;
    static void CALLBACK foregroundEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                         LONG child, DWORD thread, DWORD time);

    MessageWindow window_;
    Win32TimerPort timers_;
    ForegroundFollower follower_;
    UniqueWinEventHook eventHook_;
    // The window the pointer was last over and its program: a wheel turned
    // over one window asks for its program once.
    HWND underPointer_ = nullptr;
    std::wstring underPointerProgram_;
};

}  // namespace vela::win32
