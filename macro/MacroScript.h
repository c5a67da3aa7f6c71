// The in-memory form of macro scripts: steps, scripts and the per-slot table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/LeadingInteger.h"
#include "core/SlotTable.h"

namespace vela {

namespace opcode {
inline constexpr char LeftDown = 'a';
inline constexpr char LeftUp = 'b';
inline constexpr char RightDown = 'c';
inline constexpr char RightUp = 'd';
inline constexpr char MiddleDown = 'e';
inline constexpr char MiddleUp = 'f';
inline constexpr char Delay = 'g';
inline constexpr char MoveL = 'h';
inline constexpr char MoveR = 'i';
inline constexpr char KeyDown = 'j';
inline constexpr char KeyUp = 'k';
}  // namespace opcode

// One recognised script line.
struct MacroStep {
    char opcode = 0;
    // For the commands with a number: the line from its first blank on (the
    // blank included), or the whole line when it has none. Empty otherwise.
    std::wstring argument;

    // The step's number, read from the argument each time it is needed.
    std::int32_t number() const { return parseLeadingInt(argument); }

    bool operator==(const MacroStep&) const = default;
};

using MacroScript = std::vector<MacroStep>;

// One script per slot number (positions 1..10; 0 and 7 stay empty). Filled
// while the settings load, before any hook is in, and never changed after, so
// playback threads read it without a lock.
using MacroScripts = std::array<MacroScript, kSlotPositions>;

}  // namespace vela
