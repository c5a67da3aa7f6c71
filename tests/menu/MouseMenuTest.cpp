#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "menu/MouseMenu.h"

namespace vela::menu {
namespace {

// The rows as "text" per row: "[x]" checked, "(o)" the chosen one of several,
// "~" grayed, "-" a separator, "{...}" a submenu's rows.
std::wstring shown(const std::vector<MouseMenuRow>& rows) {
    std::wstring out;
    for (const MouseMenuRow& row : rows) {
        if (!out.empty()) out += L" | ";
        if (row.separator) {
            out += L"-";
            continue;
        }
        if (row.checked) out += row.radio ? L"(o)" : L"[x]";
        if (row.grayed) out += L"~";
        out += row.text;
        if (!row.rows.empty()) out += L" {" + shown(row.rows) + L"}";
    }
    return out;
}

void collectCommands(const std::vector<MouseMenuRow>& rows, std::vector<std::uint16_t>& out) {
    for (const MouseMenuRow& row : rows) {
        if (row.command) out.push_back(row.command);
        collectCommands(row.rows, out);
    }
}

TEST(MouseMenu, RowsShowTheCurrentValuesAndTheCounts) {
    MouseTuning t;
    t.of(MouseButton::Left) = {true, 45};  // hand-edited: not one of the choices
    t.of(MouseButton::Back) = {false, 80};
    t.reverseVertical = true;
    t.wheelNotches = 3;
    BounceCounts counts;
    counts.buttons[indexOf(MouseButton::Left)] = 11;
    counts.wheel = 1;
    const std::vector<MouseMenuRow> rows = mouseMenuRows(t, counts);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(shown({rows[0]}),
              L"Left Button\t45 ms {[x]Filter Double Clicks | - | Within 30 ms | Within 40 ms | "
              L"(o)Within 45 ms | Within 50 ms (default) | Within 60 ms | Within 80 ms | - | "
              L"~11 bounces filtered}");
    EXPECT_EQ(shown({rows[3]}),
              L"Back Button\tOff {Filter Double Clicks | - | Within 30 ms | Within 40 ms | "
              L"Within 50 ms (default) | Within 60 ms | (o)Within 80 ms | - | "
              L"~No bounces filtered}");
    EXPECT_EQ(shown({rows.begin() + 5, rows.end()}),
              L"- | [x]Reverse Wheel | Reverse Tilt | Wheel Speed\t\u00D73 {\u00D71 (normal) | "
              L"\u00D72 | (o)\u00D73 | \u00D74 | \u00D75 | \u00D76 | \u00D77 | \u00D78 | \u00D79 | "
              L"\u00D710} | Filter Wheel Bounces | - | ~12 bounces filtered (1 on the wheel)");
    EXPECT_EQ(shown({mouseMenuRows({}, {}).back()}), L"~No bounces filtered yet");
    EXPECT_EQ(bouncesText(1), L"1 bounce filtered");

    // Every command of the menu is its own and in its range, whatever the values.
    std::vector<std::uint16_t> commands;
    collectCommands(rows, commands);
    EXPECT_EQ(std::set(commands.begin(), commands.end()).size(), commands.size());
    for (std::uint16_t id : commands) EXPECT_TRUE(kMouseMenuCommands.contains(id)) << id;
}

TEST(MouseMenu, CommandsChangeTheTuning) {
    struct Case {
        const char* name;
        std::uint32_t command;
        MouseTuning expected;
    };
    MouseTuning leftOn;
    leftOn.of(MouseButton::Left).on = true;
    MouseTuning forward30;
    forward30.of(MouseButton::Forward) = {true, 30};
    MouseTuning reversed;
    reversed.reverseVertical = true;
    MouseTuning tilted;
    tilted.reverseHorizontal = true;
    MouseTuning filtered;
    filtered.wheelBounceFilter = true;
    MouseTuning tenfold;
    tenfold.wheelNotches = 10;
    const std::vector<Case> cases{
        {"a button's switch", chatterCommand(MouseButton::Left), leftOn},
        {"a threshold turns the filter on with it", thresholdCommand(MouseButton::Forward, 0),
         forward30},
        {"reverse wheel", kReverseWheelCommand, reversed},
        {"reverse tilt", kReverseTiltCommand, tilted},
        {"wheel bounces", kWheelBounceCommand, filtered},
        {"wheel speed", kWheelSpeedCommands + 10u, tenfold},
    };
    for (const Case& c : cases) {
        MouseTuning t;
        EXPECT_TRUE(applyMouseCommand(c.command, t)) << c.name;
        EXPECT_EQ(t, c.expected) << c.name;
        if (c.command != kWheelSpeedCommands + 10u &&
            c.command != thresholdCommand(MouseButton::Forward, 0)) {
            EXPECT_TRUE(applyMouseCommand(c.command, t)) << c.name << " again";
            EXPECT_EQ(t, MouseTuning{}) << c.name << " again: back";
        }
    }
    MouseTuning t;
    for (std::uint32_t id : {kMouseMenuCommands.first - 1, kWheelSpeedCommands + 0u,
                             kWheelSpeedCommands + 11u, kWheelSpeedCommands + 1u}) {
        EXPECT_FALSE(applyMouseCommand(id, t)) << id << ": not a command, or no change";
    }
    EXPECT_EQ(t, MouseTuning{});
}

}  // namespace
}  // namespace vela::menu
