#include "app/ports/Win32TimerPort.h"

namespace vela::win32 {

void Win32TimerPort::start(int timerId, std::uint32_t periodMs) {
    if (window_) SetTimer(window_, static_cast<UINT_PTR>(timerId), periodMs, nullptr);
}

void Win32TimerPort::stop(int timerId) {
    if (window_) KillTimer(window_, static_cast<UINT_PTR>(timerId));
}

}  // namespace vela::win32
