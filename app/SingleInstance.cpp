#include "app/SingleInstance.h"

namespace vela {

SingleInstance::SingleInstance(const wchar_t* mutexName) {
    mutex_.reset(CreateMutexW(nullptr, TRUE, mutexName));
    anotherIsRunning_ = GetLastError() == ERROR_ALREADY_EXISTS;
    // A failed creation leaves a null handle; Vela then runs unguarded.
}

SingleInstance::~SingleInstance() {
    if (mutex_ && !anotherIsRunning_) ReleaseMutex(mutex_.get());
}

void bringRunningInstanceForward(const wchar_t* windowClass, const wchar_t* title) {
    HWND running = FindWindowW(windowClass, title);
    if (!running) return;
    ShowWindow(running, SW_SHOW);
    ShowWindow(running, SW_SHOWNORMAL);
    SetForegroundWindow(running);
}

}  // namespace vela
