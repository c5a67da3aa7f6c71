// Threads nobody joins, on which the macro player runs its playbacks.
#pragma once

#include <functional>

namespace vela {

// Starts work on a thread that nobody joins: the end of the program never
// waits for it, so the work must own everything it touches.
class WorkerThreadPort {
public:
    virtual ~WorkerThreadPort() = default;
    // False when no thread could be started; `work` is then destroyed unrun.
    virtual bool startDetached(std::function<void()> work) = 0;
};

}  // namespace vela
