#include "core/OverlayNotice.h"

namespace vela {

void OverlayNotice::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    told_ = latest_;
    if (on) return;
    settling_ = false;
    timers_.stop(settleTimerId_);
    timers_.stop(hideTimerId_);
    port_.hide();
}

void OverlayNotice::nowApplies(const std::wstring& name) {
    if (name == latest_) return;
    const bool first = latest_.empty();
    latest_ = name;
    if (!enabled_ || first) {
        told_ = latest_;
        return;
    }
    // The first change of a burst sets the time; the rest only move what it
    // will tell, so a stream of changes cannot put the notice off for ever.
    if (settling_) return;
    settling_ = true;
    timers_.start(settleTimerId_, kNoticeSettleMs);
}

bool OverlayNotice::onTimer(int timerId) {
    if (timerId == hideTimerId_) {
        timers_.stop(hideTimerId_);
        port_.hide();
        return true;
    }
    if (timerId != settleTimerId_) return false;
    timers_.stop(settleTimerId_);
    settling_ = false;
    if (latest_ == told_) return true;
    told_ = latest_;
    port_.show(told_);
    timers_.start(hideTimerId_, kNoticeShowMs);
    return true;
}

}  // namespace vela
