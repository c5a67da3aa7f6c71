#include "core/ForegroundFollower.h"

namespace vela {

void ForegroundFollower::start(Changed changed) {
    changed_ = std::move(changed);
    front_ = platform_.windowInFront();
    identity_ = platform_.identityOf(front_);
    changed_(identity_);
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
    // While Vela is off in front no press looks at the title: these looks do.
    check(often_);
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

bool ForegroundFollower::check(bool titles) {
    if (!changed_) return false;
    const std::uintptr_t front = platform_.windowInFront();
    if (front == front_) {
        if (!titles || !front) return false;
        std::wstring title = platform_.titleOf(front);
        if (title == identity_.title) return false;
        identity_.title = std::move(title);
    } else {
        front_ = front;
        identity_ = platform_.identityOf(front);
    }
    changed_(identity_);
    return true;
}

}  // namespace vela
