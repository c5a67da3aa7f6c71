// The low-level hooks stamp events with the system tick: milliseconds in a
// 32-bit count that wraps after 49.7 days.
#pragma once

#include <cstdint>

namespace vela::hooks {

using Tick = std::uint32_t;

// How far an event's stamp and a timer's clock may be apart, either way.
inline constexpr Tick kClockSkewMs = 1000;

// Milliseconds from `from` to `to`, across a wrap of the count. 0 when `to`
// comes first by a little (the clocks are a step apart); a `to` far before
// `from` is taken as far after it, so a button left alone for 25 days and
// more is not mistaken for one that has just bounced.
constexpr Tick ticksBetween(Tick from, Tick to) {
    const Tick elapsed = to - from;
    return elapsed > Tick(0) - kClockSkewMs ? 0 : elapsed;
}

}  // namespace vela::hooks
