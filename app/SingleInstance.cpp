#include "app/SingleInstance.h"

namespace vela {

SingleInstance::SingleInstance(const wchar_t* mutexName) {
    mutex_.reset(CreateMutexW(nullptr, TRUE, mutexName));
    const DWORD error = GetLastError();
    // Denied access means the mutex exists, made by an instance that runs
    // with other rights. Any other failure leaves a null handle: Vela then
    // runs unguarded rather than not at all.
    anotherIsRunning_ = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
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
