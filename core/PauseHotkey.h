// The pause hotkey, which another program may own already: Vela takes it as
// soon as it is free, and says once that it is not.
#pragma once

#include <cstdint>
#include <functional>

#include "core/TimerPort.h"

namespace vela {

class PauseHotkey {
public:
    struct Actions {
        // Registers the shortcut; false while another program owns it.
        std::function<bool()> take;
        // Tells the user that another program has it: once, at the first
        // refusal, not at every retry.
        std::function<void()> tellTaken;
        // Vela owns the shortcut from now on.
        std::function<void()> owned;
    };

    PauseHotkey(TimerPort& timers, int timerId, std::uint32_t retryMs, Actions actions)
        : timers_(timers), timerId_(timerId), retryMs_(retryMs), actions_(std::move(actions)) {}

    // The first try. Refused, the user is told and the try is made again
    // every `retryMs` until it succeeds.
    void claim();
    // The retry timer; false for any other timer.
    bool onTimer(int timerId);

    bool isOwned() const { return owned_; }

private:
    bool take();

    TimerPort& timers_;
    int timerId_;
    std::uint32_t retryMs_;
    Actions actions_;
    bool owned_ = false;
    bool told_ = false;
};

}  // namespace vela
