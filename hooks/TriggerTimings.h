// The distances and times that decide what a held button did. Distances are
// in the pointer's physical pixels at 96 DPI and grow with the screen's DPI
// (a finger moves the same millimetres whatever the pixels are).
#pragma once

#include <algorithm>
#include <cstdint>

#include "hooks/Ticks.h"

namespace vela::hooks {

struct TriggerTimings {
    // How far a held button must move before it is a gesture, a scroll or a
    // layer button's own drag. Pressing a side button moves the mouse itself
    // 0.5 to 2 mm, a few to some twenty pixels at ordinary speeds; 40 pixels
    // (about 10 mm on a 96 DPI screen) is well past that and still a short
    // flick of the wrist.
    static constexpr int kMoveDistance96 = 40;
    // A gesture is straight enough when the move across its axis is at most
    // half the move along it: within about 27 degrees. Anything wider is
    // taken for no gesture at all rather than for a guess.
    static constexpr int kAxisStrayPercent = 50;
    // A repeating direction fires again for each further distance this long.
    static constexpr int kRepeatDistance96 = 40;
    // Drag to scroll at 100 %: one wheel notch per this many pixels.
    static constexpr int kScrollPixelsPerNotch96 = 20;
    // Notches sent for one pointer event at most, per axis: a jump of the
    // pointer (a lifted and set down mouse) must not scroll pages away.
    static constexpr int kMaxNotchesPerMove = 8;
    // A press held this long without moving away is a long press. Longer
    // than the slowest ordinary click (about 300 ms), short enough not to
    // feel like waiting.
    static constexpr Tick kLongPressMs = 600;
    // The system's double-click time is taken as it is, within these bounds
    // (the system allows up to 5 s, and nothing below a tick makes sense).
    static constexpr Tick kMinDoubleClickMs = 100;
    static constexpr Tick kMaxDoubleClickMs = 5000;
    static constexpr Tick kDefaultDoubleClickMs = 500;
    // A layer button pressed again this soon after a tap holds its own
    // button down (a right-drag, a middle-button pan) instead of its layer.
    static constexpr Tick kLayerRepressMs = 350;
};

// A distance at 96 DPI on a screen of `dpi`.
constexpr int scaledToDpi(int at96, std::uint32_t dpi) {
    const std::uint32_t d = std::clamp<std::uint32_t>(dpi, 48, 960);
    return static_cast<int>((static_cast<std::uint32_t>(at96) * d + 48) / 96);
}

}  // namespace vela::hooks
