// remap: the smallest remapper of Vela's shape, the yardstick of the press
// benchmark. A low-level mouse hook on this thread takes the forward button
// (XBUTTON2) and wakes a worker thread, which sends one key (or a middle
// click) with SendInput; nothing else, no tables, no ledger.
//
//   remap [--vk N]        the key to send (default 0x87, F24)
//   remap --click         a middle click where the pointer is instead
//
// Lines: "ready".
#include <atomic>

#include "tests/wine/probe/Probe.h"

namespace vela::probe {

namespace {

HANDLE gWake = nullptr;
std::atomic<int> gPending{0};
WORD gKey = 0x87;
bool gClick = false;

LRESULT CALLBACK takeForward(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && (wParam == WM_XBUTTONDOWN || wParam == WM_XBUTTONUP)) {
        const auto& ms = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (!(ms.flags & LLMHF_INJECTED) && HIWORD(ms.mouseData) == XBUTTON2) {
            if (wParam == WM_XBUTTONDOWN) {
                gPending.fetch_add(1, std::memory_order_release);
                SetEvent(gWake);
            }
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI sendKeys(LPVOID) {
    for (;;) {
        WaitForSingleObject(gWake, INFINITE);
        while (gPending.load(std::memory_order_acquire) > 0) {
            gPending.fetch_sub(1, std::memory_order_acq_rel);
            INPUT tap[2] = {};
            for (INPUT& in : tap) {
                in.type = gClick ? INPUT_MOUSE : INPUT_KEYBOARD;
                in.ki.wVk = gKey;
            }
            if (gClick) {
                tap[0].mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
                tap[1].mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
            } else {
                tap[1].ki.dwFlags = KEYEVENTF_KEYUP;
            }
            SendInput(2, tap, sizeof(INPUT));
        }
    }
}

}  // namespace

int remap(HINSTANCE module, const Args& args, EventLog& log) {
    gKey = static_cast<WORD>(args.number(L"--vk", 0x87));
    gClick = args.flag(L"--click");
    gWake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!gWake || !CreateThread(nullptr, 0, sendKeys, nullptr, 0, nullptr)) return 2;
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    if (!SetWindowsHookExW(WH_MOUSE_LL, takeForward, module, 0)) return 2;
    log.line("ready");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace vela::probe
