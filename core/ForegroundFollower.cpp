#include "core/ForegroundFollower.h"

namespace vela {

void ForegroundFollower::start(Changed changed) {
    changed_ = std::move(changed);
    front_ = platform_.windowInFront();
    changed_(platform_.programOf(front_));
}

void ForegroundFollower::clickSeen() {
    if (!changed_) return;
    look_ = 1;
    check();
    timers_.start(timerId_, kLooksAfterClickMs[look_]);
}

bool ForegroundFollower::onTimer(int timerId) {
    if (timerId != timerId_) return false;
    timers_.stop(timerId_);
    check();
    if (look_ < kLooksAfterClickMs.size() && ++look_ < kLooksAfterClickMs.size())
        timers_.start(timerId_, kLooksAfterClickMs[look_] - kLooksAfterClickMs[look_ - 1]);
    else if (often_)
        timers_.start(timerId_, kLookWhileBlindMs);
    return true;
}

void ForegroundFollower::lookOften(bool often) {
    if (often == often_) return;
    often_ = often;
    // The looks after a click, while they last, keep the timer.
    if (look_ < kLooksAfterClickMs.size()) return;
    if (often)
        timers_.start(timerId_, kLookWhileBlindMs);
    else
        timers_.stop(timerId_);
}

bool ForegroundFollower::check() {
    if (!changed_) return false;
    const std::uintptr_t front = platform_.windowInFront();
    if (front == front_) return false;
    front_ = front;
    changed_(platform_.programOf(front));
    return true;
}

}  // namespace vela
