// TimerPort over the timers of one window (the main window's, the tray's, the
// foreground watch's).
#pragma once

#include <windows.h>

#include "core/TimerPort.h"

namespace vela::win32 {

// SetTimer without a timer procedure, so each expiry arrives as WM_TIMER with
// the id; the handler makes it one-shot by stopping it.
class Win32TimerPort final : public TimerPort {
public:
    void setWindow(HWND window) { window_ = window; }
    void start(int timerId, std::uint32_t periodMs) override;
    void stop(int timerId) override;

private:
    HWND window_ = nullptr;
};

}  // namespace vela::win32
