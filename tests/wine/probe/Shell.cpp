// post, timer, icon, taskbar-restart, run-autostart: Vela reached from
// outside the way the shell and the taskbar reach it.
//
//   post --ids 24,23,25   post these commands at once, as a menu would
//        [--every-ms N]   ... and again every N ms to whichever Vela window
//                         exists then, until --exit-after ends the probe
//   timer --ids 2,9       post these timer messages
//   icon                  does Vela's tray icon exist? and its tip
//   taskbar-restart       drop the icon, then tell everyone the taskbar is new
//   run-autostart         start the Run entry as the shell does at logon
//   balloon               is a balloon tip of the notification area showing?
//   hotkey [--hold]       is Vela's pause shortcut free? (taken and let go at
//                         once); with --hold kept, as another program would,
//                         until --exit-after ends the probe
//
// Lines: "window 0|1", "posted <n>", "icon 0|1", "tip <text>", "run <command>", "started <0|1>",
// "balloon 0|1", "hotkey free|taken", "held 0|1".
#include <windows.h>
// (first: shellapi.h needs it)
#include <shellapi.h>
//
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/AppIdentity.h"
#include "app/TrayIcon.h"
#include "app/ports/Win32AutostartPort.h"
#include "core/MessageIds.h"
#include "tests/wine/probe/Probe.h"

namespace vela::probe {

namespace {

HWND velaWindow(EventLog& log) {
    HWND window = FindWindowW(kMainWindowClass, kWindowTitle);
    log.line("window %d", window ? 1 : 0);
    return window;
}

// The tray's own hidden window: it owns the icon and gets the tray menu's
// commands.
HWND trayWindow() {
    return FindWindowW(kTrayWindowClass, nullptr);
}

std::vector<WORD> parseIds(const std::wstring& list) {
    std::vector<WORD> ids;
    std::size_t at = 0;
    while (at < list.size()) {
        std::size_t comma = list.find(L',', at);
        if (comma == std::wstring::npos) comma = list.size();
        ids.push_back(static_cast<WORD>(std::stoul(list.substr(at, comma - at))));
        at = comma + 1;
    }
    return ids;
}

// Commands go where an outside program sends them (a script, a launcher that
// hides or ends tools before a game): to the window it finds by its title.
// Posted back to back, they are all in the queue before any timer can fire.
void post(EventLog& log, UINT message, const std::wstring& list) {
    HWND window = FindWindowW(nullptr, kWindowTitle);
    log.line("window %d", window ? 1 : 0);
    if (!window) return;
    int posted = 0;
    for (WORD id : parseIds(list)) {
        const WPARAM wParam = message == WM_COMMAND ? MAKEWPARAM(id, 0) : id;
        if (PostMessageW(window, message, wParam, 0)) ++posted;
    }
    log.line("posted %d", posted);
}

NOTIFYICONDATAW iconRecord(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kTrayIconId;
    return data;
}

// A change with no flags alters nothing and succeeds only for an icon the
// taskbar holds.
void icon(EventLog& log) {
    HWND window = velaWindow(log);
    NOTIFYICONDATAW data = iconRecord(trayWindow());
    log.line("icon %d", window && Shell_NotifyIconW(NIM_MODIFY, &data) ? 1 : 0);
    // The tray window's title says what the icon's tip says.
    wchar_t tip[128]{};
    if (HWND tray = trayWindow()) GetWindowTextW(tray, tip, 128);
    log.line("tip %s", utf8(tip).c_str());
}

// What a restarted Explorer means for a program: its icon is gone and the
// taskbar announces itself.
void taskbarRestart(EventLog& log) {
    HWND window = velaWindow(log);
    if (!window) return;
    NOTIFYICONDATAW data = iconRecord(trayWindow());
    Shell_NotifyIconW(NIM_DELETE, &data);
    log.line("icon %d", Shell_NotifyIconW(NIM_MODIFY, &data) ? 1 : 0);
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(kTaskbarCreatedMessageName), 0, 0);
}

// The shell hands the Run value to CreateProcess as the whole command line.
void runAutostart(EventLog& log) {
    HKEY key = nullptr;
    std::wstring command;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, win32::kRunKey, 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
        wchar_t text[1024]{};
        DWORD size = sizeof(text) - sizeof(wchar_t);
        DWORD type = 0;
        if (RegQueryValueExW(key, win32::kRunValueName, nullptr, &type,
                             reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            command = text;
        RegCloseKey(key);
    }
    char utf8[3 * 1024]{};
    WideCharToMultiByte(CP_UTF8, 0, command.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
    log.line("run %s", utf8);
    if (command.empty()) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    log.line("started %d", started ? 1 : 0);
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// The shell shows an icon's balloon as a tooltip window of balloon style.
void balloon(EventLog& log) {
    int shown = 0;
    EnumWindows(
        [](HWND window, LPARAM count) -> BOOL {
            wchar_t name[32]{};
            GetClassNameW(window, name, 32);
            const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
            if (std::wstring(name) == TOOLTIPS_CLASSW && IsWindowVisible(window) &&
                (style & TTS_BALLOON))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    log.line("balloon %d", shown > 0 ? 1 : 0);
}

// The pause shortcut as Vela registers it; only one program can have it.
void hotkey(EventLog& log, bool hold) {
    constexpr int kId = 1;
    const bool got =
        RegisterHotKey(nullptr, kId, MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_NOREPEAT, 'P');
    if (!hold) {
        log.line("hotkey %s", got ? "free" : "taken");
        if (got) UnregisterHotKey(nullptr, kId);
        return;
    }
    log.line("held %d", got ? 1 : 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    }
}

}  // namespace

int shell(const std::wstring& verb, const Args& args, EventLog& log) {
    if (verb == L"post") {
        const int every = args.number(L"--every-ms", 0);
        do {
            post(log, WM_COMMAND, args.value(L"--ids"));
            if (every > 0) Sleep(static_cast<DWORD>(every));
        } while (every > 0);
    } else if (verb == L"timer") {
        // What the window's own timer would deliver when it fires.
        post(log, WM_TIMER, args.value(L"--ids"));
    } else if (verb == L"icon") {
        icon(log);
    } else if (verb == L"taskbar-restart") {
        taskbarRestart(log);
    } else if (verb == L"balloon") {
        balloon(log);
    } else if (verb == L"hotkey") {
        hotkey(log, args.flag(L"--hold"));
    } else {
        runAutostart(log);
    }
    return 0;
}

}  // namespace vela::probe
