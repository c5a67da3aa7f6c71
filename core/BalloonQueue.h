// The notification icon's balloons, one at a time. A balloon asked for while
// another is up would replace it before it could be read (the read-only
// folder and the pause shortcut held elsewhere are both told at start), so
// it waits until the shell says the one up has gone, or until the longest a
// shell shows one has passed: some shells say nothing.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "core/TimerPort.h"

namespace vela {

struct Balloon {
    std::wstring title;
    std::wstring text;

    bool operator==(const Balloon&) const = default;
};

class BalloonQueue {
public:
    // `show` puts a balloon up; false when there is no icon to carry it.
    BalloonQueue(TimerPort& timers, int timerId, std::uint32_t longestShowMs,
                 std::function<bool(const Balloon&)> show)
        : timers_(timers), timerId_(timerId), longestShowMs_(longestShowMs), show_(std::move(show)) {}

    // Up at once when none is; otherwise after those before it. A balloon
    // already up or waiting is not told twice.
    void post(Balloon balloon);
    // The shell says the balloon up went: it timed out, was clicked or closed.
    void gone();
    // The longest-show timer; false for any other timer.
    bool onTimer(int timerId);

    const std::optional<Balloon>& shown() const { return shown_; }
    std::size_t waiting() const { return waiting_.size(); }

private:
    void showNext();

    TimerPort& timers_;
    int timerId_;
    std::uint32_t longestShowMs_;
    std::function<bool(const Balloon&)> show_;
    std::optional<Balloon> shown_;
    std::deque<Balloon> waiting_;
};

}  // namespace vela
