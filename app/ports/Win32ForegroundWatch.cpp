#include "app/ports/Win32ForegroundWatch.h"

#include <string_view>

#include "core/CaselessName.h"

namespace vela::win32 {

namespace {

// The one watch of the process, for the event hook's callback: the system
// calls it with no word of ours to find the watch by.
Win32ForegroundWatch* gWatch = nullptr;

constexpr wchar_t kWatchWindowClass[] = L"VelaForegroundWatch";

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

std::wstring classOfWindow(HWND window) {
    // A class name is at most 256 characters.
    wchar_t name[257] = {};
    const int length = window ? GetClassNameW(window, name, static_cast<int>(std::size(name))) : 0;
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring titleOfWindow(HWND window) {
    // Read from the window's own record, without a message to its thread: a
    // program that hangs cannot hold up a press.
    wchar_t title[512] = {};
    const int length =
        window ? InternalGetWindowText(window, title, static_cast<int>(std::size(title))) : 0;
    return std::wstring(title, length > 0 ? static_cast<std::size_t>(length) : 0);
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
                if (sameCaseless(known, program)) return TRUE;
            f.programs.push_back(std::move(program));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.programs;
}

Win32ForegroundWatch::Win32ForegroundWatch(HINSTANCE module)
    : window_(module, kWatchWindowClass, MessageWindow::Kind::MessageOnly,
              [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
                  if (message == WM_TIMER && follower_.onTimer(static_cast<int>(wParam))) return 0;
                  return std::nullopt;
              }),
      follower_(*this, timers_, kLookAgainTimerId) {
    timers_.setWindow(window_.hwnd());
}

Win32ForegroundWatch::~Win32ForegroundWatch() {
    eventHook_.reset();
    if (gWatch == this) gWatch = nullptr;
}

void Win32ForegroundWatch::start(ForegroundFollower::Changed changed) {
    gWatch = this;
    eventHook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                     foregroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    follower_.start(std::move(changed));
}

std::uintptr_t Win32ForegroundWatch::windowInFront() {
    return reinterpret_cast<std::uintptr_t>(GetForegroundWindow());
}

WindowIdentity Win32ForegroundWatch::identityOf(std::uintptr_t window) {
    const HWND hwnd = reinterpret_cast<HWND>(window);
    return {programOfWindow(hwnd), classOfWindow(hwnd), titleOfWindow(hwnd)};
}

std::wstring Win32ForegroundWatch::titleOf(std::uintptr_t window) {
    return titleOfWindow(reinterpret_cast<HWND>(window));
}

WindowIdentity Win32ForegroundWatch::windowUnderPointer() {
    POINT at{};
    if (!GetCursorPos(&at)) return {};
    const HWND window = GetAncestor(WindowFromPoint(at), GA_ROOT);
    if (!window) return {};
    if (window != underPointer_) {
        underPointer_ = window;
        underPointerProgram_ = programOfWindow(window);
    }
    return {underPointerProgram_, classOfWindow(window), titleOfWindow(window)};
}

void CALLBACK Win32ForegroundWatch::foregroundEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object,
                                                    LONG, DWORD, DWORD) {
    // The window in front is looked up again rather than taken from the
    // event: a late event for a window that has since gone back changes
    // nothing.
    if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW && gWatch)
        gWatch->checkForeground(false);
}

}  // namespace vela::win32
