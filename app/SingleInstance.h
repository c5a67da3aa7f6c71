// One Vela per user session: the named mutex marks the running instance.
#pragma once

#include <windows.h>

#include "win32/Handle.h"

namespace vela {

class SingleInstance {
public:
    // Creates the mutex, or opens it when another instance holds it, in one
    // step: two starts at the same moment cannot both see it missing.
    explicit SingleInstance(const wchar_t* mutexName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool anotherIsRunning() const { return anotherIsRunning_; }

private:
    win32::UniqueHandle mutex_;
    bool anotherIsRunning_ = false;
};

// Shows and activates the running instance's main window, found by its class
// and title; does nothing when there is none.
void bringRunningInstanceForward(const wchar_t* windowClass, const wchar_t* title);

}  // namespace vela
