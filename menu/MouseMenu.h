// The tray menu's "Mouse" submenu: the chatter filter of each button, the
// wheel's direction, speed and bounce filter, and the bounces filtered so far,
// each row showing its current value. Built afresh each time the menu opens;
// the Win32 side only turns the rows into a menu.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/MessageIds.h"
#include "core/MouseTuning.h"

namespace vela::menu {

// The thresholds offered for every button; a hand-edited one is shown too.
inline constexpr std::array<int, 5> kChatterChoices{30, 40, 50, 60, 80};

struct MouseMenuRow {
    std::wstring text;          // a tab before the part shown on the right
    std::uint16_t command = 0;  // none for a submenu, a separator or a row that only tells
    bool checked = false;
    bool radio = false;  // one of several choices: a dot rather than a check
    bool grayed = false;
    bool separator = false;
    std::vector<MouseMenuRow> rows;  // a submenu's
};

std::vector<MouseMenuRow> mouseMenuRows(const MouseTuning& tuning, const BounceCounts& counts);

// What a command of the submenu does to `tuning`; false for a command that is
// not the submenu's (or that changes nothing).
bool applyMouseCommand(std::uint32_t command, MouseTuning& tuning);

// "1 bounce filtered", "12 bounces filtered"; empty before the first.
std::wstring bouncesText(std::uint64_t count);

// Command ids, in kMouseMenuCommands: per button a block of
// kMouseButtonBlock (its switch, then one per threshold choice), then the
// wheel's.
inline constexpr std::uint16_t kChatterCommands = 33000;
inline constexpr std::uint16_t kMouseButtonBlock = 10;
constexpr std::uint16_t chatterCommand(MouseButton b) {
    return static_cast<std::uint16_t>(kChatterCommands + indexOf(b) * kMouseButtonBlock);
}
constexpr std::uint16_t thresholdCommand(MouseButton b, std::size_t choice) {
    return static_cast<std::uint16_t>(chatterCommand(b) + 1 + choice);
}
inline constexpr std::uint16_t kReverseWheelCommand = 33100;
inline constexpr std::uint16_t kReverseTiltCommand = 33101;
inline constexpr std::uint16_t kWheelBounceCommand = 33102;
// Plus the number of notches, 1 to 10.
inline constexpr std::uint16_t kWheelSpeedCommands = 33110;

static_assert(kMouseMenuCommands.first == kChatterCommands);
static_assert(kChatterChoices.size() < kMouseButtonBlock);
static_assert(thresholdCommand(MouseButton::Forward, kChatterChoices.size() - 1) <
              kReverseWheelCommand);
static_assert(kMouseMenuCommands.contains(kWheelSpeedCommands + kMaxWheelNotches));

}  // namespace vela::menu
