#include "app/ports/Win32Threads.h"

#include <process.h>

#include <cstdint>
#include <memory>

namespace vela::win32 {

namespace {

// The thread start hands over one pointer; the box travels through it and is
// owned again on the other side at once.
void __cdecl runBoxed(void* box) {
    const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(box));
    (*work)();
}

}  // namespace

bool Win32Threads::startDetached(std::function<void()> work) {
    auto box = std::make_unique<std::function<void()>>(std::move(work));
    const std::uintptr_t started = _beginthread(runBoxed, 0, box.get());
    if (started == static_cast<std::uintptr_t>(-1)) return false;
    static_cast<void>(box.release());
    return true;
}

}  // namespace vela::win32
