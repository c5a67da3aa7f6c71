#include "macro/DetachedThread.h"

#include <memory>

#ifdef _WIN32
#include <process.h>

#include <cstdint>
#else
#include <system_error>
#include <thread>
#endif

namespace vela {

#ifdef _WIN32

namespace {

// The C runtime's thread start hands over one pointer; the box travels through
// it and is owned again on the other side at once.
void __cdecl runBoxed(void* box) {
    const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(box));
    (*work)();
}

}  // namespace

bool startDetachedThread(std::function<void()> work) {
    auto box = std::make_unique<std::function<void()>>(std::move(work));
    // _beginthread closes its own handle when the thread ends: nothing to
    // release here, nothing for the end of the program to wait on.
    const std::uintptr_t started = _beginthread(runBoxed, 0, box.get());
    if (started == static_cast<std::uintptr_t>(-1)) return false;
    static_cast<void>(box.release());
    return true;
}

#else

bool startDetachedThread(std::function<void()> work) {
    try {
        std::thread(std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

#endif

}  // namespace vela
