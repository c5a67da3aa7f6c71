#include "core/BalloonQueue.h"

#include <algorithm>

namespace vela {

void BalloonQueue::post(Balloon balloon) {
    if (shown_ == balloon || std::find(waiting_.begin(), waiting_.end(), balloon) != waiting_.end())
        return;
    waiting_.push_back(std::move(balloon));
    if (!shown_) showNext();
}

// Nothing waits while nothing is up, so a late word about a balloon the
// timer already ended changes nothing.
void BalloonQueue::gone() {
    showNext();
}

bool BalloonQueue::onTimer(int timerId) {
    if (timerId != timerId_) return false;
    showNext();
    return true;
}

// The next balloon the shell takes; none left, the timer stops.
void BalloonQueue::showNext() {
    shown_.reset();
    while (!waiting_.empty()) {
        Balloon next = std::move(waiting_.front());
        waiting_.pop_front();
        if (show_ && show_(next)) {
            shown_ = std::move(next);
            timers_.start(timerId_, longestShowMs_);
            return;
        }
    }
    timers_.stop(timerId_);
}

}  // namespace vela
