// Reaches Vela from outside the way the shell and the taskbar do, for the
// tray end-to-end tests.
//
//   tray_probe.exe --log FILE --do post --ids 24,23,25   post these commands at once
//   tray_probe.exe --log FILE --do timer --ids 2,9       post these timer messages
//   tray_probe.exe --log FILE --do icon                  does Vela's tray icon exist?
//   tray_probe.exe --log FILE --do taskbar-restart       drop the icon, then tell
//                                                        everyone the taskbar is new
//   tray_probe.exe --log FILE --do run-autostart         start the Run entry as the shell does
//
// Lines (each after the time stamp): "window 0|1", "posted <n>", "icon 0|1",
// "run <command>", "started <0|1>", "done".
#include <windows.h>
// (first: the other system headers rely on it)

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppIdentity.h"
#include "app/TrayIcon.h"
#include "app/ports/Win32AutostartPort.h"
#include "tests/e2e/EventLog.h"

namespace {

std::unique_ptr<vela::e2e::EventLog> gLog;

HWND velaWindow() {
    HWND window = FindWindowW(vela::kMainWindowClass, vela::kWindowTitle);
    gLog->line("window %d", window ? 1 : 0);
    return window;
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

// A chosen menu entry reaches its owner as a posted WM_COMMAND; posting them
// back to back puts them all in the queue before any timer can fire.
void post(UINT message, const std::wstring& list) {
    HWND window = velaWindow();
    if (!window) return;
    int posted = 0;
    for (WORD id : parseIds(list)) {
        const WPARAM wParam = message == WM_COMMAND ? MAKEWPARAM(id, 0) : id;
        if (PostMessageW(window, message, wParam, 0)) ++posted;
    }
    gLog->line("posted %d", posted);
}

NOTIFYICONDATAW iconRecord(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = vela::kTrayIconId;
    return data;
}

// A change with no flags alters nothing and succeeds only for an icon the
// taskbar holds.
void icon() {
    HWND window = velaWindow();
    NOTIFYICONDATAW data = iconRecord(window);
    gLog->line("icon %d", window && Shell_NotifyIconW(NIM_MODIFY, &data) ? 1 : 0);
}

// What a restarted Explorer means for a program: its icon is gone and the
// taskbar announces itself.
void taskbarRestart() {
    HWND window = velaWindow();
    if (!window) return;
    NOTIFYICONDATAW data = iconRecord(window);
    Shell_NotifyIconW(NIM_DELETE, &data);
    gLog->line("icon %d", Shell_NotifyIconW(NIM_MODIFY, &data) ? 1 : 0);
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
}

// The shell hands the Run value to CreateProcess as the whole command line.
void runAutostart() {
    HKEY key = nullptr;
    std::wstring command;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, vela::win32::kRunKey, 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
        wchar_t text[1024]{};
        DWORD size = sizeof(text) - sizeof(wchar_t);
        DWORD type = 0;
        if (RegQueryValueExW(key, vela::win32::kRunValueName, nullptr, &type,
                             reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            command = text;
        RegCloseKey(key);
    }
    char utf8[3 * 1024]{};
    WideCharToMultiByte(CP_UTF8, 0, command.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
    gLog->line("run %s", utf8);
    if (command.empty()) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    gLog->line("started %d", started ? 1 : 0);
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &argc),
                                                       &LocalFree);
    wchar_t** args = reinterpret_cast<wchar_t**>(argv.get());
    gLog = std::make_unique<vela::e2e::EventLog>(vela::e2e::argument(argc, args, L"--log"));
    if (!gLog->ok()) return 2;
    const std::wstring action = vela::e2e::argument(argc, args, L"--do");
    if (action == L"post") {
        post(WM_COMMAND, vela::e2e::argument(argc, args, L"--ids"));
    } else if (action == L"timer") {
        // What the window's own timer would deliver when it fires.
        post(WM_TIMER, vela::e2e::argument(argc, args, L"--ids"));
    } else if (action == L"icon") {
        icon();
    } else if (action == L"taskbar-restart") {
        taskbarRestart();
    } else if (action == L"run-autostart") {
        runAutostart();
    } else {
        return 2;
    }
    gLog->line("done");
    return 0;
}
