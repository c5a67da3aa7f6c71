#include <gtest/gtest.h>

#include "menu/TrayState.h"

namespace vela::menu {
namespace {

// Off in the program in front or paused, the icon is grey; the pause's
// words win over the program's.
TEST(TrayState, GreyWhilePausedOrOffInFrontAndThePauseSaysSo) {
    struct Row {
        TrayState state;
        const wchar_t* text;
        bool grey;
    };
    const Row rows[] = {{{false, L""}, L"", false},
                        {{true, L""}, L"paused", true},
                        {{false, L"game.exe"}, L"off in game.exe", true},
                        {{true, L"game.exe"}, L"paused", true}};
    for (const Row& row : rows) {
        EXPECT_EQ(trayStateText(row.state), row.text);
        EXPECT_EQ(looksPaused(row.state), row.grey) << row.text;
    }
}

}  // namespace
}  // namespace vela::menu
