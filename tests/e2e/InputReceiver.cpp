// The observer of the end-to-end tests: one focused window over the whole
// screen that logs every mouse and key message reaching it.
//
//   InputReceiver.exe --log FILE [--exit-after SECONDS]
//
// Lines: "<qpc> ready", "<qpc> <MESSAGE> <details>".
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <memory>

#include "tests/e2e/EventLog.h"

namespace {

std::unique_ptr<vela::e2e::EventLog> gLog;

void logMouse(const char* name, LPARAM lParam) {
    gLog->line("%s %d %d", name, static_cast<short>(LOWORD(lParam)),
               static_cast<short>(HIWORD(lParam)));
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
            gLog->line("XBUTTONDOWN %d", HIWORD(wParam));
            return TRUE;
        case WM_XBUTTONUP:
            gLog->line("XBUTTONUP %d", HIWORD(wParam));
            return TRUE;
        case WM_MOUSEWHEEL:
            gLog->line("MOUSEWHEEL %d", static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_MOUSEHWHEEL:
            gLog->line("MOUSEHWHEEL %d", static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_KEYDOWN:
            gLog->line("KEYDOWN %u", static_cast<unsigned>(wParam));
            return 0;
        case WM_KEYUP:
            gLog->line("KEYUP %u", static_cast<unsigned>(wParam));
            return 0;
        // System keys are logged and then left alone so that nothing (menu
        // activation, task switching) changes the window under test.
        case WM_SYSKEYDOWN:
            gLog->line("SYSKEYDOWN %u", static_cast<unsigned>(wParam));
            return 0;
        case WM_SYSKEYUP:
            gLog->line("SYSKEYUP %u", static_cast<unsigned>(wParam));
            return 0;
        case WM_CONTEXTMENU:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &argc),
                                                       &LocalFree);
    const std::wstring logPath = vela::e2e::argument(argc, argv.get(), L"--log", L"receiver.log");
    const int exitAfter =
        _wtoi(vela::e2e::argument(argc, argv.get(), L"--exit-after", L"120").c_str());
    gLog = std::make_unique<vela::e2e::EventLog>(logPath);
    if (!gLog->ok()) return 2;
    vela::e2e::armSelfExit(exitAfter);

    WNDCLASSW wc{};
    wc.lpfnWndProc = receiverProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"VelaInputReceiver";
    RegisterClassW(&wc);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Vela input receiver",
                                  WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 2;
    SetForegroundWindow(window);
    SetFocus(window);
    gLog->line("ready %d %d", width, height);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return 0;
}
