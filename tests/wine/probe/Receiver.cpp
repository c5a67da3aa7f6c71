// receive: one focused window over the whole screen that logs every mouse and
// key message reaching it.
//
// Lines: "ready <width> <height>", "<MESSAGE> <x> <y>" for buttons and moves,
// "XBUTTONDOWN <n>", "MOUSEWHEEL <delta>", "KEYDOWN <vk> <scan> <extended>",
// "RAISED <1 when in front now>", "RETITLED", and with --hook "LLKEY <vk> down|up
// <injected>" for every key event a low-level hook of its own sees (from
// whatever window is in front).
#include "tests/wine/probe/Probe.h"

namespace vela::probe {

namespace {

EventLog* gReceiverLog = nullptr;
// With --raise-on-wheel, a wheel turn over the window while another is in
// front brings it forward, as a program that raises itself does: no click
// and no key that anyone could see. (Wine sends the wheel to the window under
// the pointer; its stray moves make hovering no trigger.)
bool gRaiseOnWheel = false;
// With --retitle-on-f9 TITLE, F9 renames the window so, as a browser renames
// its window on a tab switch ("RETITLED" once done).
std::wstring gRetitle;
// With --system-keys, Alt combinations go on to the system's own processing,
// as in any program, so a lone Alt press and release shows as KEYMENU.
bool gSystemKeys = false;

void logMouse(const char* name, LPARAM lParam) {
    gReceiverLog->line("%s %d %d", name, static_cast<short>(LOWORD(lParam)),
                       static_cast<short>(HIWORD(lParam)));
}

// What a key message says about the key beside its virtual-key code: the
// scan code and the extended-key bit.
void logKey(const char* name, WPARAM wParam, LPARAM lParam) {
    gReceiverLog->line("%s %u %u %u", name, static_cast<unsigned>(wParam),
                       static_cast<unsigned>((lParam >> 16) & 0xFF),
                       static_cast<unsigned>((lParam >> 24) & 1));
}

LRESULT CALLBACK keyWatch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& k = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        gReceiverLog->line("LLKEY %lu %s %d", k.vkCode,
                           wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN ? "down" : "up",
                           (k.flags & LLKHF_INJECTED) ? 1 : 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK receiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MOUSEMOVE:
            logMouse("MOUSEMOVE", lParam);
            return 0;
        case WM_LBUTTONDOWN:
            logMouse("LBUTTONDOWN", lParam);
            return 0;
        case WM_LBUTTONUP:
            logMouse("LBUTTONUP", lParam);
            return 0;
        case WM_RBUTTONDOWN:
            logMouse("RBUTTONDOWN", lParam);
            return 0;
        case WM_RBUTTONUP:
            logMouse("RBUTTONUP", lParam);
            return 0;
        case WM_MBUTTONDOWN:
            logMouse("MBUTTONDOWN", lParam);
            return 0;
        case WM_MBUTTONUP:
            logMouse("MBUTTONUP", lParam);
            return 0;
        case WM_XBUTTONDOWN:
            gReceiverLog->line("XBUTTONDOWN %d", HIWORD(wParam));
            return TRUE;
        case WM_XBUTTONUP:
            gReceiverLog->line("XBUTTONUP %d", HIWORD(wParam));
            return TRUE;
        case WM_MOUSEWHEEL:
            gReceiverLog->line("MOUSEWHEEL %d", static_cast<short>(HIWORD(wParam)));
            if (gRaiseOnWheel && GetForegroundWindow() != hwnd) {
                SetForegroundWindow(hwnd);
                SetFocus(hwnd);
                gReceiverLog->line("RAISED %d", GetForegroundWindow() == hwnd ? 1 : 0);
            }
            return 0;
        case WM_MOUSEHWHEEL:
            gReceiverLog->line("MOUSEHWHEEL %d", static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_KEYDOWN:
            logKey("KEYDOWN", wParam, lParam);
            if (wParam == VK_F9 && !gRetitle.empty()) {
                SetWindowTextW(hwnd, gRetitle.c_str());
                gReceiverLog->line("RETITLED");
            }
            return 0;
        case WM_KEYUP:
            logKey("KEYUP", wParam, lParam);
            return 0;
        // System keys are logged and otherwise left alone, so that nothing
        // (menu activation, task switching) changes the window under test.
        case WM_SYSKEYDOWN:
            logKey("SYSKEYDOWN", wParam, lParam);
            if (gSystemKeys) break;
            return 0;
        case WM_SYSKEYUP:
            logKey("SYSKEYUP", wParam, lParam);
            if (gSystemKeys) break;
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU) {
                // The menu bar that a lone Alt press and release opens.
                gReceiverLog->line("KEYMENU");
                return 0;
            }
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                gReceiverLog->line("CLOSE");  // Alt+F4
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int receive(HINSTANCE module, const Args& args, EventLog& log) {
    gReceiverLog = &log;
    gSystemKeys = args.flag(L"--system-keys");
    gRaiseOnWheel = args.flag(L"--raise-on-wheel");
    gRetitle = args.value(L"--retitle-on-f9");
    WNDCLASSW wc{};
    wc.lpfnWndProc = receiverProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"VelaInputReceiver";
    RegisterClassW(&wc);
    // --left X --width W: a strip of the screen, so that two receivers (two
    // programs) can stand side by side.
    const int left = args.number(L"--left", 0);
    const int width = args.number(L"--width", GetSystemMetrics(SM_CXSCREEN));
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::wstring title = args.value(L"--title", L"Vela input receiver");
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, title.c_str(),
                                  WS_POPUP | WS_VISIBLE, left, 0, width, height, nullptr, nullptr,
                                  module, nullptr);
    if (!window) return 2;
    SetForegroundWindow(window);
    SetFocus(window);
    // Installed before any hook of Vela's that comes later, so those see
    // each key first: what they swallow never shows here.
    win32::UniqueHook watch(
        args.flag(L"--hook") ? SetWindowsHookExW(WH_KEYBOARD_LL, keyWatch, module, 0) : nullptr);
    log.line("ready %d %d", width, height);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace vela::probe
