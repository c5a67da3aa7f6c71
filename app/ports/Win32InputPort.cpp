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

Win32InputPort::Win32InputPort() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
}

Win32InputPort::~Win32InputPort() {
    if (timer_) CloseHandle(timer_);
}

void preciseSleep(HANDLE timer, bool highResolution, std::uint32_t ms) {
    if (ms == 0) return;
    if (highResolution && timer) {
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(ms) * 10000;  // relative, 100 ns units
        if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
            WaitForSingleObject(timer, INFINITE);
            return;
        }
    }
    // Older systems: raise the scheduler resolution for the duration.
    timeBeginPeriod(1);
    Sleep(ms);
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
    preciseSleep(timer_, highResolution_, ms);
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

std::uint64_t Win32InputPort::messageExtraInfo() {
    return static_cast<std::uint64_t>(GetMessageExtraInfo());
}

}  // namespace vela::win32
