// texts, count, watch: Vela's main window seen from outside, the way another
// program would see it.
//
//   texts    visibility, every caption and label text, and the text typed in
//            an open entry dialog
//   count    how many Vela main windows exist
//   watch    every change of the main window's visibility, until --exit-after
//   places   the window's rectangle and that of every visible control in it
//   read --class C [--child C]   the text of another program's window
//   keystate --vks 17,16,...     which of these keys the system has down
//   doubleclick                  the system's double-click time
//
// Lines: "window 0|1", "visible 0|1", "text <control id> <UTF-8 text>",
// "entry <UTF-8 text>", "chord <UTF-8 text>", "typed <escaped UTF-8 text>",
// "control <id> <x> <y> <w> <h> <enabled>" (screen pixels), "list <top row>
// <row height>", "prompt <UTF-8 text>" (the shortcut dialog's),
// "count <n>", "visible", "hidden", "gone", "ready", "read <escaped text>",
// "down <vk>" then "keys read", "doubleclick <ms>",
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
    std::wstring buffer(8192, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    buffer.resize(copied);
    return buffer;
}

// A text on one line: backslashes, carriage returns and line feeds escaped.
std::string escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\\') {
            out += L"\\\\";
        } else if (c == L'\r') {
            out += L"\\r";
        } else if (c == L'\n') {
            out += L"\\n";
        } else {
            out += c;
        }
    }
    return utf8(out);
}

void logControls(EventLog& log, HWND dialog, std::initializer_list<int> ids) {
    for (int id : ids) {
        HWND control = GetDlgItem(dialog, id);
        RECT r{};
        GetWindowRect(control, &r);
        log.line("control %d %ld %ld %ld %ld %d", id, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, IsWindowEnabled(control) ? 1 : 0);
    }
}

// The shortcut dialog and the text dialog, when one is open on the thread.
BOOL CALLBACK logDialog(HWND window, LPARAM data) {
    auto& log = *reinterpret_cast<EventLog*>(data);
    if (!IsWindowVisible(window)) return TRUE;
    if (HWND chord = GetDlgItem(window, IDC_CHORD_TEXT)) {
        log.line("chord %s", utf8(controlText(chord)).c_str());
        log.line("prompt %s", utf8(controlText(GetDlgItem(window, IDC_CHORD_PROMPT))).c_str());
        HWND list = GetDlgItem(window, IDC_CHORD_LIST);
        log.line("list %ld %ld", static_cast<long>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)),
                 static_cast<long>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)));
        logControls(log, window, {IDOK, IDCANCEL, IDC_CHORD_CLEAR, IDC_CHORD_LIST});
    } else if (HWND typed = GetDlgItem(window, IDC_TYPED_TEXT)) {
        log.line("typed %s", escaped(controlText(typed)).c_str());
        logControls(log, window, {IDOK, IDCANCEL, IDC_TYPED_TEXT});
    }
    return TRUE;
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
    EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), logDialog,
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

// Another program's text, as a user would see it: the window of `windowClass`
// and its child of `childClass`.
void readText(const Args& args, EventLog& log) {
    HWND window = FindWindowW(args.value(L"--class").c_str(), nullptr);
    const std::wstring child = args.value(L"--child");
    if (window && !child.empty()) window = FindWindowExW(window, nullptr, child.c_str(), nullptr);
    log.line("window %d", window ? 1 : 0);
    if (window) log.line("read %s", escaped(controlText(window)).c_str());
}

// Which of these keys the system has down now.
void keyState(const Args& args, EventLog& log) {
    const std::wstring list = args.value(L"--vks");
    for (std::size_t at = 0; at < list.size();) {
        std::size_t comma = list.find(L',', at);
        if (comma == std::wstring::npos) comma = list.size();
        const int vk = _wtoi(list.substr(at, comma - at).c_str());
        if (GetAsyncKeyState(vk) & 0x8000) log.line("down %d", vk);
        at = comma + 1;
    }
    log.line("keys read");
}

}  // namespace

int velaWindow(const std::wstring& verb, const Args& args, EventLog& log) {
    if (verb == L"texts") {
        texts(log);
    } else if (verb == L"count") {
        count(log);
    } else if (verb == L"places") {
        places(log);
    } else if (verb == L"read") {
        readText(args, log);
    } else if (verb == L"keystate") {
        keyState(args, log);
    } else if (verb == L"doubleclick") {
        log.line("doubleclick %u", GetDoubleClickTime());
    } else {
        watch(log, static_cast<DWORD>(args.number(L"--exit-after", 60)) - 1);
    }
    return 0;
}

}  // namespace vela::probe
