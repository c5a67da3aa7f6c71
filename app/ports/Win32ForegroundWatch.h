// Follows the program in front for the per-program profiles.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "menu/ProfileMenuPort.h"

namespace vela::win32 {

// The file name of the program a window belongs to ("notepad.exe"), or "".
std::wstring programOfWindow(HWND window);

// The programs of the windows a person can see and switch to: visible,
// unowned, titled, not tool windows.
class Win32ProgramList final : public ProgramListPort {
public:
    std::vector<std::wstring> programsWithWindows() override;
};

// Tells the user-interface thread which program is in front whenever that
// changes. Two signals, neither of them polling:
//  - the system's foreground event, out of context: it arrives as a message
//    to this thread and nothing of Vela is loaded into other programs;
//  - the clicks the hook engine sees (a click is how most windows come to
//    the front), for systems whose foreground event does not reach other
//    processes (Wine), and for a window that comes forward a moment after
//    its click; they come to Vela's window and are handed on to clickSeen.
// Either way the window in front is compared with the last one, so a signal
// that changes nothing costs one call.
class Win32ForegroundWatch {
public:
    using Changed = std::function<void(const std::wstring& program)>;

    Win32ForegroundWatch() = default;
    ~Win32ForegroundWatch();
    Win32ForegroundWatch(const Win32ForegroundWatch&) = delete;
    Win32ForegroundWatch& operator=(const Win32ForegroundWatch&) = delete;

    // Starts watching for `window`'s thread; `changed` hears the program now
    // in front at once and at every change after.
    void start(HWND window, Changed changed);
    // A left, right or middle click went through: looks at the window in
    // front now and a few times more.
    void clickSeen();
    // True for the watch's own timer, which it has handled.
    bool onMessage(UINT message, WPARAM wParam);
    // Looks at the window in front now (a remapped press is about to act);
    // true when it is another one than at the last look.
    bool check();

private:
    static void CALLBACK foregroundEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                         LONG child, DWORD thread, DWORD time);

    HWND window_ = nullptr;
    Changed changed_;
    HWINEVENTHOOK eventHook_ = nullptr;
    HWND front_ = nullptr;
    std::size_t lookAgain_ = 0;  // which of the looks after a click is next
};

}  // namespace vela::win32
