// WorkerThreadPort over the C runtime's thread start.
#pragma once

#include "macro/WorkerThreadPort.h"

namespace vela::win32 {

// _beginthread: the mingw toolchain's win32 threads have no std::thread. The
// thread closes its own handle when it ends, so nothing is left to release
// and nothing at the end of the program waits for it.
class Win32Threads final : public WorkerThreadPort {
public:
    bool startDetached(std::function<void()> work) override;
};

}  // namespace vela::win32
