#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "menu/MouseMenu.h"

namespace vela::menu {
namespace {

// "[x]" checked, "(o)" the one chosen of several, "~" grayed, "-" a
// separator, "{...}" a submenu; every command is collected.
std::wstring shown(const std::vector<MouseMenuRow>& rows, std::vector<std::uint16_t>& commands) {
    std::wstring out;
    for (const MouseMenuRow& row : rows) {
        out += out.empty() ? L"" : L" | ";
        out += row.separator ? L"-" : row.checked ? (row.radio ? L"(o)" : L"[x]") : L"";
        out += (row.grayed ? L"~" : L"") + row.text;
        if (!row.rows.empty()) out += L" {" + shown(row.rows, commands) + L"}";
        if (row.command) commands.push_back(row.command);
    }
    return out;
}

TEST(MouseMenu, RowsShowTheCurrentValuesAndTheCounts) {
    MouseTuning t;
    t.of(MouseButton::Left) = {true, 45};  // hand-edited: not one of the choices
    t.of(MouseButton::Right).on = true;
    t.of(MouseButton::Back) = {false, 80};
    t.reverseVertical = true;
    t.wheelNotches = 3;
    // Left's release window is on since a bounce (Right's not yet); Back's too, but its
    // filter is off now.
    const BounceCounts counts{{11, 0, 0, 0, 0}, 1, {true, false, false, true, false}};
    std::vector<std::uint16_t> commands;
    const std::wstring rows = shown(mouseMenuRows(t, counts), commands);
    for (const wchar_t* part :
         {L"Left Button\t45 ms (on since a bounce) {[x]Filter Double Clicks | - | Within 30 ms | "
          L"Within 40 ms | "
          L"(o)Within 45 ms | Within 50 ms (default) | Within 60 ms | Within 80 ms | - | "
          L"~11 bounces filtered} | Right Button\t50 ms {[x]Filter",
          L"Back Button\tOff {Filter Double Clicks | - | Within 30 ms | Within 40 ms | Within 50 "
          L"ms (default) | Within 60 ms | (o)Within 80 ms | - | ~No bounces filtered}",
          L"- | [x]Reverse Wheel | Reverse Tilt | Wheel Speed\t\u00D73 {\u00D71 (normal) | \u00D72 "
          L"| (o)\u00D73 | \u00D74",
          L"\u00D710} | Filter Wheel Bounces | - | ~12 bounces filtered (1 on the wheel)"})
        EXPECT_NE(rows.find(part), std::wstring::npos) << std::string(part, part + 30);
    EXPECT_EQ(std::set(commands.begin(), commands.end()).size(), commands.size());
    for (std::uint16_t id : commands) EXPECT_TRUE(kMouseMenuCommands.contains(id)) << id;
    EXPECT_EQ(mouseMenuRows({}, {}).back().text, L"No bounces filtered yet");
}

TEST(MouseMenu, CommandsChangeTheTuning) {
    const auto after = [](std::initializer_list<std::uint32_t> commands) {
        MouseTuning t;
        for (std::uint32_t c : commands) applyMouseCommand(c, t);
        return toKeyValues(t);
    };
    MouseTuning want;
    want.of(MouseButton::Left).on = true;
    want.of(MouseButton::Forward) = {true, 30};  // a threshold turns the filter on
    want.reverseHorizontal = true;
    want.wheelBounceFilter = true;
    want.wheelNotches = 10;
    EXPECT_EQ(after({chatterCommand(MouseButton::Left), thresholdCommand(MouseButton::Forward, 0),
                     kReverseWheelCommand, kReverseWheelCommand, kReverseTiltCommand,
                     kWheelBounceCommand, kWheelSpeedCommands + 10u}),
              toKeyValues(want));
    MouseTuning t;
    for (std::uint32_t id : {kMouseMenuCommands.first - 1, kWheelSpeedCommands + 0u,
                             kWheelSpeedCommands + 11u, kWheelSpeedCommands + 1u})
        EXPECT_FALSE(applyMouseCommand(id, t)) << id << ": not a command, or no change";
}

}  // namespace
}  // namespace vela::menu
