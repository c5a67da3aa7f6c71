// The in-memory form of macro scripts: steps, scripts and the per-slot table.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
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

// One script per slot number (positions 1..10; 0 and 7 stay empty). A script
// once put in is never changed: reading a slot's script again puts a new one
// in its place, and a playback holds on to the one it started with, so a
// playback that outlives the stop wait never reads freed or rewritten steps.
// Used from the user-interface thread only; the playback threads get their
// own reference before they start.
class MacroScripts {
public:
    // The script at `position`; null when none was read or out of range.
    std::shared_ptr<const MacroScript> at(int position) const {
        return inRange(position) ? scripts_[static_cast<std::size_t>(position)] : nullptr;
    }
    void put(int position, MacroScript script) {
        if (inRange(position))
            scripts_[static_cast<std::size_t>(position)] =
                std::make_shared<const MacroScript>(std::move(script));
    }

private:
    static bool inRange(int position) { return position >= 0 && position < kSlotPositions; }

    std::array<std::shared_ptr<const MacroScript>, kSlotPositions> scripts_{};
};

}  // namespace vela
