// A short notice of what applies now, shown when that changes: the program's
// profile, "All Programs", or a held button's layer. This decides when one is
// due and what it says; the platform only draws it and keeps its timers.
#pragma once

#include <cstdint>
#include <string>

#include "core/TimerPort.h"

namespace vela {

// Hears the name of what applies each time the overlay stack may have moved
// (a program came to the front, a layer began or ended). A call that names
// what applied already is no change, and neither is the first.
class OverlayListener {
public:
    virtual ~OverlayListener() = default;
    virtual void nowApplies(const std::wstring& name) = 0;
};

// What shows the notice: near the pointer, without taking the focus.
class NoticePort {
public:
    virtual ~NoticePort() = default;
    // Shows `text`, replacing any notice up.
    virtual void show(const std::wstring& text) = 0;
    virtual void hide() = 0;
};

// A switch often comes in a burst (a press brings the program's profile and
// its layer at once): the notice waits this long and tells the latest.
inline constexpr std::uint32_t kNoticeSettleMs = 50;
// Long enough to read a name, short enough not to linger over the work.
inline constexpr std::uint32_t kNoticeShowMs = 1000;

// Runs on the user-interface thread. Off until switched on.
class OverlayNotice final : public OverlayListener {
public:
    OverlayNotice(NoticePort& port, TimerPort& timers, int settleTimerId, int hideTimerId)
        : port_(port), timers_(timers), settleTimerId_(settleTimerId), hideTimerId_(hideTimerId) {}

    // Off, no notice is shown and any up goes.
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }

    void nowApplies(const std::wstring& name) override;
    // True for the notice's own timers, which it has handled.
    bool onTimer(int timerId);

private:
    NoticePort& port_;
    TimerPort& timers_;
    int settleTimerId_;
    int hideTimerId_;
    bool enabled_ = false;
    bool settling_ = false;
    std::wstring told_;    // what applied when last told (or when it began to)
    std::wstring latest_;  // what applies now
};

}  // namespace vela
