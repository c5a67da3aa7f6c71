// A window of a subsystem's own, never shown: where its notifications,
// timers, hotkeys and commands arrive, so no other window has to pass them on.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "core/MessageIds.h"
#include "win32/Handle.h"

namespace vela::win32 {

// The numbers core/MessageIds.h spells out are the platform's.
static_assert(kUserMessageBase == WM_USER && kAppMessageBase == WM_APP);
static_assert(kDialogButtonCommands.first == IDOK && kDialogButtonCommands.last == IDCANCEL);

class MessageWindow {
public:
    // A handled message returns its result; nullopt leaves it to the
    // system's default processing.
    using Handler =
        std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    enum class Kind {
        // Gets what is posted or sent to it, its timers and hotkeys; never a
        // broadcast, and it can never be the window in front.
        MessageOnly,
        // A top-level window that is never shown: it hears what the shell
        // broadcasts (the taskbar's return) and can be in front, as the owner
        // of a popup menu must be for the menu to close on a click elsewhere.
        HiddenTopLevel,
    };

    // `className` is registered once per process; the handler hears every
    // message from the moment the window exists until it is destroyed.
    MessageWindow(HINSTANCE module, const wchar_t* className, Kind kind, Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND hwnd() const { return window_.get(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    UniqueWindow window_;
};

}  // namespace vela::win32
