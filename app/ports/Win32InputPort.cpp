#include "app/ports/Win32InputPort.h"

#include <mmsystem.h>

#include <vector>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace vela::win32 {

INPUT toInput(const InputRecord& r) {
    INPUT in{};
    in.type = r.type;
    if (r.type == InputRecord::Keyboard) {
        in.ki.wVk = r.virtualKey;
        in.ki.wScan = r.scanCode;
        in.ki.dwFlags = r.flags;
        in.ki.time = r.time;
        in.ki.dwExtraInfo = static_cast<ULONG_PTR>(r.extraInfo);
    } else {
        in.mi.dx = r.dx;
        in.mi.dy = r.dy;
        in.mi.mouseData = r.mouseData;
        in.mi.dwFlags = r.flags;
        in.mi.time = r.time;
        in.mi.dwExtraInfo = static_cast<ULONG_PTR>(r.extraInfo);
    }
    return in;
}

Win32InputPort::Win32InputPort(HANDLE wake, KeyWatchPort* keys) : wake_(wake), keys_(keys) {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
}

Win32InputPort::~Win32InputPort() {
    if (timer_) CloseHandle(timer_);
}

void preciseSleep(HANDLE timer, bool highResolution, std::uint32_t ms, HANDLE wake) {
    if (ms == 0) return;
    if (highResolution && timer) {
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(ms) * 10000;  // relative, 100 ns units
        if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
            if (!wake) {
                WaitForSingleObject(timer, INFINITE);
                return;
            }
            const HANDLE either[2] = {timer, wake};
            if (WaitForMultipleObjects(2, either, FALSE, INFINITE) != WAIT_OBJECT_0)
                CancelWaitableTimer(timer);
            return;
        }
    }
    // Older systems: raise the scheduler resolution for the duration.
    timeBeginPeriod(1);
    if (wake) {
        WaitForSingleObject(wake, ms);
    } else {
        Sleep(ms);
    }
    timeEndPeriod(1);
}

void Win32InputPort::send(std::span<const InputRecord> records) {
    if (records.empty()) return;
    std::vector<INPUT> inputs;
    inputs.reserve(records.size());
    for (const InputRecord& r : records) inputs.push_back(toInput(r));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Win32InputPort::sleepMs(std::uint32_t ms) {
    preciseSleep(timer_, highResolution_, ms, wake_);
}

Point Win32InputPort::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

Size Win32InputPort::primaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect Win32InputPort::virtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::uint32_t Win32InputPort::tickCount() {
    return GetTickCount();
}

std::uint16_t Win32InputPort::scanCodeOf(std::uint16_t virtualKey) {
    // The layout of the program the key goes to: a key moves between layouts
    // (Z and Y on a German one), its scan code with it. Looked up at every
    // key: the user may switch layouts with the same window in front, and
    // nothing tells Vela of a switch in another program.
    const HWND front = GetForegroundWindow();
    const HKL layout = GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
    const UINT code = MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout);
    return static_cast<std::uint16_t>(code & 0xFF);
}

bool Win32InputPort::keyDown(std::uint16_t virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool Win32InputPort::keyHeld(std::uint16_t virtualKey) {
    const std::optional<bool> held = keys_ ? keys_->keyHeld(virtualKey) : std::nullopt;
    return held ? *held : keyDown(virtualKey);
}

void Win32InputPort::watchKeys(bool on) {
    if (keys_) keys_->watchKeys(on);
}

std::uint64_t Win32InputPort::messageExtraInfo() {
    return static_cast<std::uint64_t>(GetMessageExtraInfo());
}

}  // namespace vela::win32
