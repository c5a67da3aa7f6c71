// One-shot timers of a window (see core/MessageIds.h for whose ids are whose).
#pragma once

#include <cstdint>

namespace vela {

// Starting a running id restarts its period; the handler of a timer stops
// it to make it one-shot.
class TimerPort {
public:
    virtual ~TimerPort() = default;
    virtual void start(int timerId, std::uint32_t periodMs) = 0;
    virtual void stop(int timerId) = 0;
};

}  // namespace vela
