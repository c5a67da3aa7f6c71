#include "app/ports/Win32ForegroundWatch.h"

#include <array>
#include <string_view>

#include "win32/Handle.h"

namespace vela::win32 {

namespace {

// The one watch of the process, for the event hook's callback.
Win32ForegroundWatch* gWatch = nullptr;

// A click's window may take its activation a while after the button comes
// up (the hook sees the click before the program does, and a busy system
// hands it on late): more looks, this long after the click, catch it.
constexpr UINT_PTR kLookAgainTimerId = 0x7646;
constexpr std::array<UINT, 7> kLookAgainMs{5, 10, 20, 40, 80, 160, 320};

}  // namespace

std::wstring programOfWindow(HWND window) {
    DWORD process = 0;
    if (!window || !GetWindowThreadProcessId(window, &process) || !process) return {};
    UniqueHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (!handle) return {};
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = static_cast<DWORD>(std::size(path));
    if (!QueryFullProcessImageNameW(handle.get(), 0, path, &size)) return {};
    const std::wstring_view full(path, size);
    const std::size_t slash = full.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? full : full.substr(slash + 1));
}

std::vector<std::wstring> Win32ProgramList::programsWithWindows() {
    struct Found {
        DWORD self = GetCurrentProcessId();
        std::vector<std::wstring> programs;
    } found;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& f = *reinterpret_cast<Found*>(data);
            if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) ||
                (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) ||
                GetWindowTextLengthW(window) == 0)
                return TRUE;
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == f.self) return TRUE;
            std::wstring program = programOfWindow(window);
            if (program.empty()) return TRUE;
            for (const std::wstring& known : f.programs)
                if (CompareStringOrdinal(known.c_str(), -1, program.c_str(), -1, TRUE) ==
                    CSTR_EQUAL)
                    return TRUE;
            f.programs.push_back(std::move(program));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.programs;
}

Win32ForegroundWatch::~Win32ForegroundWatch() {
    if (eventHook_) UnhookWinEvent(eventHook_);
    if (gWatch == this) gWatch = nullptr;
}

void Win32ForegroundWatch::start(HWND window, Changed changed) {
    window_ = window;
    changed_ = std::move(changed);
    gWatch = this;
    eventHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                 foregroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    front_ = GetForegroundWindow();
    changed_(programOfWindow(front_));
}

void Win32ForegroundWatch::clickSeen() {
    // Every look is taken, whatever the ones before found: the first may see
    // a window that came forward earlier, unseen, before the click's own.
    lookAgain_ = 0;
    check();
    if (window_) SetTimer(window_, kLookAgainTimerId, kLookAgainMs[0], nullptr);
}

bool Win32ForegroundWatch::onMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kLookAgainTimerId) {
        KillTimer(window_, kLookAgainTimerId);
        check();
        if (++lookAgain_ < kLookAgainMs.size()) {
            const UINT after = kLookAgainMs[lookAgain_] - kLookAgainMs[lookAgain_ - 1];
            SetTimer(window_, kLookAgainTimerId, after, nullptr);
        }
        return true;
    }
    return false;
}

bool Win32ForegroundWatch::check() {
    const HWND front = GetForegroundWindow();
    if (front == front_ || !changed_) return false;
    front_ = front;
    changed_(programOfWindow(front));
    return true;
}

void CALLBACK Win32ForegroundWatch::foregroundEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object,
                                                    LONG, DWORD, DWORD) {
    // The window in front is looked up again rather than taken from the
    // event: a late event for a window that has since gone back changes
    // nothing.
    if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW && gWatch) gWatch->check();
}

}  // namespace vela::win32
