// How the user tunes the mouse itself, apart from any remapping: a chatter
// filter per button, and the wheel's direction, speed and bounce filter.
// Kept in a settings section of its own, which the slot sections never read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/MouseButtons.h"

namespace vela {

// 50 ms: a worn switch's chatter comes within a few reports of the mouse
// (8 ms each at 125 Hz), mostly under 30 ms, and the hook's event times move
// in steps of the system tick (15.6 ms), so a 30 ms gap can read as 46. The
// fastest double click a person makes leaves 80 ms or more between lifting
// the finger and pressing again; 50 keeps a whole tick of margin both ways.
inline constexpr int kDefaultChatterMs = 50;
// Below one tick a gap is caught by luck; above 100 ms a person's ordinary
// double click starts to become one.
inline constexpr int kMinChatterMs = 10;
inline constexpr int kMaxChatterMs = 100;
inline constexpr int kMinWheelNotches = 1;
inline constexpr int kMaxWheelNotches = 10;

struct ButtonChatter {
    bool on = false;
    int thresholdMs = kDefaultChatterMs;
    bool operator==(const ButtonChatter&) const = default;
};

struct MouseTuning {
    std::array<ButtonChatter, kMouseButtonCount> chatter{};
    bool reverseVertical = false;
    bool reverseHorizontal = false;
    int wheelNotches = 1;  // notches sent per notch turned
    bool wheelBounceFilter = false;
    bool operator==(const MouseTuning&) const = default;

    const ButtonChatter& of(MouseButton b) const { return chatter[indexOf(b)]; }
    ButtonChatter& of(MouseButton b) { return chatter[indexOf(b)]; }
};

// Bounces the filters swallowed since the program started: per button, and
// stray notches of the wheel (turn and tilt together).
struct BounceCounts {
    std::array<std::uint32_t, kMouseButtonCount> buttons{};
    std::uint32_t wheel = 0;
    // The buttons whose chatter filter holds releases back: since a bounce.
    std::array<bool, kMouseButtonCount> releaseWindows{};
    bool operator==(const BounceCounts&) const = default;

    std::uint64_t total() const {
        std::uint64_t sum = wheel;
        for (std::uint32_t n : buttons) sum += n;
        return sum;
    }
};

// Whether any filter or shaping is on: the mouse hook is needed for it.
bool tunesAnything(const MouseTuning& t);

// Every number brought into its range; the flags stay.
MouseTuning clamped(MouseTuning t);

// The stored form: one key per value, the section's text left to the
// settings file ("ChatterLeft=1", "ChatterLeftMs=50", "WheelNotches=3").
inline constexpr std::wstring_view kMouseTuningSection = L"Mouse";
using KeyValues = std::vector<std::pair<std::wstring, std::wstring>>;

KeyValues toKeyValues(const MouseTuning& t);

// A hand-edited section is untrusted: every number reads as the other
// settings do (its leading integer), a flag is on when that is not 0, numbers
// out of range are clamped, a missing key keeps its default and, as in the
// settings file, the first of two keys of one name counts (names compare
// without regard to case).
MouseTuning fromKeyValues(const KeyValues& values);

}  // namespace vela
