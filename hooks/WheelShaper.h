// Shapes the wheel on its way to programs: each direction reversed on its own
// (as on a touchpad), several notches sent per notch turned, and a worn
// encoder's stray notch dropped.
//
// Bounce filter: a notch against the direction of a run, within 80 ms of the
// wheel's last event, is dropped. A worn encoder's stray notch comes as the
// wheel passes a detent, a few milliseconds to a few tens after a genuine one,
// even at a slow turn; a person who turns back needs 100 ms and more to stop
// the finger and move it the other way. A second notch against the run, again
// within 80 ms, is a real turn: it starts a run of its own and takes the
// dropped one back with it, so no notch of a real turn is lost. Fine deltas
// (below 120) count by what they add up to: up to one notch against the run
// is dropped, more is a turn.
//
// In the hook, the bounce filter comes before the remapping and the shaping
// after it: a stray notch must not fire a wheel slot's function, and a slot's
// function fires once per notch turned, whatever the direction or speed set
// for scrolling. So the remapping (MouseFilter) is given `physical`, and only
// when it lets the event pass does the hook act on `action`. Injected events
// pass untouched and leave the filter alone: the hook's own deltas come back
// injected.
//
// Lives on the hook thread; not thread-safe by design.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/MouseTuning.h"
#include "hooks/MouseFilter.h"
#include "hooks/Ticks.h"

namespace vela::hooks {

inline constexpr std::uint32_t kWheelBounceWindowMs = 80;

// Programs get a wheel delta as a 16-bit number: a larger one is sent as
// several events, each a whole number of notches but the last.
inline constexpr int kMaxSentDelta = 273 * kNotch;  // 32760
inline constexpr int kMaxEventDelta = 32768;
inline constexpr std::size_t kMaxWheelPieces =
    ((kMaxEventDelta + kNotch) * kMaxWheelNotches + kMaxSentDelta - 1) / kMaxSentDelta;

class WheelDeltas {
public:
    void add(int delta) { deltas_[size_++] = delta; }
    std::size_t size() const { return size_; }
    const int* begin() const { return deltas_.data(); }
    const int* end() const { return deltas_.data() + size_; }

private:
    std::array<int, kMaxWheelPieces> deltas_{};
    std::size_t size_ = 0;
};

struct WheelEvent {
    int delta = 0;  // 120 a notch; vertical: positive away from the user, horizontal: right
    bool horizontal = false;
    Tick time = 0;
    bool injected = false;
};

struct WheelVerdict {
    enum class Action : unsigned char {
        Pass,     // the event as it is
        Drop,     // a stray notch: swallow it, and the remapping never sees it
        Replace,  // swallow it and send `send` instead
    };
    Action action = Action::Pass;
    int physical = 0;  // what the remapping sees: the delta, with a notch taken back
    WheelDeltas send;
};

class WheelShaper {
public:
    // Takes the wheel's settings; runs start afresh.
    void configure(const MouseTuning& tuning);

    WheelVerdict onWheel(const WheelEvent& e);

    // Stray notches dropped so far, both directions of turn and tilt.
    std::uint32_t bounces() const { return bounces_; }

private:
    struct Axis {
        int run = 0;  // -1, +1, or 0 before the first event
        Tick last = 0;
        bool seen = false;
        int held = 0;  // dropped against the run, while a turn may still follow
    };

    // false: drop the event.
    bool filter(Axis& axis, int delta, Tick time, int& physical);
    WheelVerdict shaped(int physical, int original, bool horizontal) const;

    MouseTuning tuning_;
    Axis vertical_;
    Axis horizontal_;
    std::uint32_t bounces_ = 0;
};

}  // namespace vela::hooks
