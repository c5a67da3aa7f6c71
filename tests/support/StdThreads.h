// The test double of the worker threads: real detached std::threads, so the
// playback tests run truly concurrently (and under ThreadSanitizer); it can
// also refuse to start any.
#pragma once

#include <functional>
#include <system_error>
#include <thread>

#include "macro/WorkerThreadPort.h"

namespace vela::test {

class StdThreads final : public WorkerThreadPort {
public:
    bool refuse = false;

    bool startDetached(std::function<void()> work) override {
        if (refuse) return false;
        try {
            std::thread(std::move(work)).detach();
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }
};

}  // namespace vela::test
