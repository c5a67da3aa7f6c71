// texts, count, watch: Vela's main window seen from outside, the way another
// program would see it.
//
//   texts    visibility, every caption and label text, and the text typed in
//            an open entry dialog
//   count    how many Vela main windows exist
//   watch    every change of the main window's visibility, until --exit-after
//   places   the window's rectangle and that of every visible control in it
//
// Lines: "window 0|1", "visible 0|1", "text <control id> <UTF-8 text>",
// "entry <UTF-8 text>",
// "count <n>", "visible", "hidden", "gone", "ready",
// "frame <x> <y> <w> <h>", "place <control id> <x> <y> <w> <h>" (places in
// the window's coordinates, in physical pixels).
#include <mmsystem.h>

#include <string>

#include "app/AppIdentity.h"
#include "core/SlotTable.h"
#include "resources/resource.h"
#include "tests/wine/probe/Probe.h"

namespace vela::probe {

namespace {

bool isVelaWindow(HWND window) {
    wchar_t className[64]{};
    GetClassNameW(window, className, 64);
    return std::wstring(className) == kMainWindowClass;
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

void logText(EventLog& log, HWND main, int id) {
    log.line("text %d %s", id, utf8(controlText(GetDlgItem(main, id))).c_str());
}

void texts(EventLog& log) {
    HWND main = FindWindowW(kMainWindowClass, kWindowTitle);
    log.line("window %d", main ? 1 : 0);
    if (!main) return;
    log.line("visible %d", IsWindowVisible(main) ? 1 : 0);
    for (const SlotInfo& info : kSlotTable) {
        logText(log, main, info.captionControl);
        logText(log, main, info.descriptionControl);
    }
    logText(log, main, kDpiCaptionControl);
    // The entry dialog is a window of the main window's thread with the
    // entry box in it.
    EnumThreadWindows(
        GetWindowThreadProcessId(main, nullptr),
        [](HWND window, LPARAM data) -> BOOL {
            HWND entry = GetDlgItem(window, IDC_ENTRY_TEXT);
            if (!entry || !IsWindowVisible(window)) return TRUE;
            reinterpret_cast<EventLog*>(data)->line("entry %s", utf8(controlText(entry)).c_str());
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&log));
}

void places(EventLog& log) {
    // Physical pixels: the probe's manifest declares it DPI aware.
    HWND main = FindWindowW(kMainWindowClass, kWindowTitle);
    log.line("window %d", main ? 1 : 0);
    if (!main) return;
    RECT frame{};
    GetWindowRect(main, &frame);
    log.line("frame %ld %ld %ld %ld", frame.left, frame.top, frame.right - frame.left,
             frame.bottom - frame.top);
    struct Context {
        EventLog* log;
        RECT frame;
    } context{&log, frame};
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            const auto& c = *reinterpret_cast<Context*>(data);
            if (GetParent(child) != FindWindowW(kMainWindowClass, kWindowTitle) ||
                !IsWindowVisible(child))
                return TRUE;
            RECT r{};
            GetWindowRect(child, &r);
            c.log->line("place %d %ld %ld %ld %ld", GetDlgCtrlID(child), r.left - c.frame.left,
                        r.top - c.frame.top, r.right - r.left, r.bottom - r.top);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
}

void count(EventLog& log) {
    int windows = 0;
    EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            if (isVelaWindow(window)) ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    log.line("count %d", windows);
}

// Polls every millisecond: Wine does not deliver another process's show and
// hide events to an event hook, and the hide after start-up is only 10 ms
// after the show.
void watch(EventLog& log, DWORD seconds) {
    timeBeginPeriod(1);
    log.line("ready");
    const ULONGLONG end = GetTickCount64() + seconds * 1000ull;
    int last = -1;  // -1 no window, 0 hidden, 1 visible
    while (GetTickCount64() < end) {
        HWND main = FindWindowW(kMainWindowClass, kWindowTitle);
        const int now = main ? (IsWindowVisible(main) ? 1 : 0) : -1;
        if (now != last) {
            log.line("%s", now == 1 ? "visible" : now == 0 ? "hidden" : "gone");
            last = now;
        }
        Sleep(1);
    }
    timeEndPeriod(1);
}

}  // namespace

int velaWindow(const std::wstring& verb, const Args& args, EventLog& log) {
    if (verb == L"texts") {
        texts(log);
    } else if (verb == L"count") {
        count(log);
    } else if (verb == L"places") {
        places(log);
    } else {
        watch(log, static_cast<DWORD>(args.number(L"--exit-after", 60)) - 1);
    }
    return 0;
}

}  // namespace vela::probe
