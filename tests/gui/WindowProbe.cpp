// Looks at Vela's main window from outside, the way another program would,
// for the GUI end-to-end tests.
//
//   WindowProbe.exe --log FILE --do texts   visibility and every caption and label text
//   WindowProbe.exe --log FILE --do count   how many Vela main windows exist
//   WindowProbe.exe --log FILE --do watch [--exit-after SECONDS]
//                                           every change of the main window's visibility
//
// Lines (each after the time stamp): "ready", "window 0|1", "visible 0|1",
// "text <control id> <UTF-8 text>", "count <n>", "visible", "hidden", "gone",
// "done".
#include <windows.h>
// (first: the other system headers rely on it)

#include <mmsystem.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/AppIdentity.h"
#include "core/SlotTable.h"
#include "tests/e2e/EventLog.h"

namespace {

std::unique_ptr<vela::e2e::EventLog> gLog;

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

bool isVelaWindow(HWND window) {
    wchar_t className[64]{};
    GetClassNameW(window, className, 64);
    return std::wstring(className) == vela::kMainWindowClass;
}

// The text as the control itself reports it, through a message the system
// carries across processes.
std::wstring controlText(HWND control) {
    wchar_t buffer[1024]{};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return std::wstring(buffer, copied);
}

void logText(HWND main, int id) {
    gLog->line("text %d %s", id, utf8(controlText(GetDlgItem(main, id))).c_str());
}

void texts() {
    HWND main = FindWindowW(vela::kMainWindowClass, vela::kWindowTitle);
    gLog->line("window %d", main ? 1 : 0);
    if (!main) return;
    gLog->line("visible %d", IsWindowVisible(main) ? 1 : 0);
    for (const vela::SlotInfo& info : vela::kSlotTable) {
        logText(main, info.captionControl);
        logText(main, info.descriptionControl);
    }
    logText(main, vela::kDpiCaptionControl);
}

void count() {
    int windows = 0;
    EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            if (isVelaWindow(window)) ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    gLog->line("count %d", windows);
}

// Polls every millisecond: Wine does not deliver another process's show and
// hide events to an event hook, and the hide after start-up is only 10 ms
// after the show.
void watch(DWORD seconds) {
    timeBeginPeriod(1);
    gLog->line("ready");
    const ULONGLONG end = GetTickCount64() + seconds * 1000ull;
    int last = -1;  // -1 no window, 0 hidden, 1 visible
    while (GetTickCount64() < end) {
        HWND main = FindWindowW(vela::kMainWindowClass, vela::kWindowTitle);
        const int now = main ? (IsWindowVisible(main) ? 1 : 0) : -1;
        if (now != last) {
            gLog->line("%s", now == 1 ? "visible" : now == 0 ? "hidden" : "gone");
            last = now;
        }
        Sleep(1);
    }
    timeEndPeriod(1);
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
    if (action == L"texts") {
        texts();
    } else if (action == L"count") {
        count();
    } else if (action == L"watch") {
        watch(static_cast<DWORD>(
            std::stoul(vela::e2e::argument(argc, args, L"--exit-after", L"60"))));
    } else {
        return 2;
    }
    gLog->line("done");
    return 0;
}
