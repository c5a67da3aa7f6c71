#include "core/PauseHotkey.h"

namespace vela {

bool PauseHotkey::take() {
    if (owned_ || !actions_.take || !actions_.take()) return owned_;
    owned_ = true;
    if (actions_.owned) actions_.owned();
    return true;
}

void PauseHotkey::claim() {
    if (take()) return;
    if (!told_) {
        told_ = true;
        if (actions_.tellTaken) actions_.tellTaken();
    }
    timers_.start(timerId_, retryMs_);
}

bool PauseHotkey::onTimer(int timerId) {
    if (timerId != timerId_) return false;
    if (take()) timers_.stop(timerId_);
    return true;
}

}  // namespace vela
