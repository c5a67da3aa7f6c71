// Row sizes and the areas drawn inside a row.
#include <gtest/gtest.h>

#include "menu/MenuRowGeometry.h"

namespace vela::menu {
namespace {

TEST(MenuRowGeometry, RowIsAtLeastTheIconPlusFourHigh) {
    // One narrow character in a small font: the icon decides the height.
    EXPECT_EQ(measureMenuRow(7, 13, kMenuIconSize, 15), (Size{45 + 7 - 15, 20}));
    EXPECT_EQ(measureMenuRow(0, 0, kMenuIconSize, 0), (Size{45, 20}));
    // A tall font makes the row taller, never the other way round.
    EXPECT_EQ(measureMenuRow(80, 27, kMenuIconSize, 13), (Size{32 + 12 + 80 + 1 - 13, 27}));
    EXPECT_EQ(measureMenuRow(80, 20, kMenuIconSize, 13).height, 20);
    EXPECT_EQ(measureMenuRow(80, 21, kMenuIconSize, 13).height, 21);
}

TEST(MenuRowGeometry, AreasFollowTheRowWhereverItSits) {
    const Rect row{0, 40, 180, 60};  // third row of a menu
    EXPECT_EQ(menuButtonArea(row), (Rect{0, 40, 20, 60}));
    EXPECT_EQ(menuIconArea(menuButtonArea(row)), (Rect{2, 42, 18, 58}));
    EXPECT_EQ(menuTextArea(row, kMenuIconSize), (Rect{22, 40, 164, 60}));

    const Rect tall{3, 10, 200, 37};
    EXPECT_EQ(menuButtonArea(tall), (Rect{3, 10, 30, 37}));
    EXPECT_EQ(menuIconArea(menuButtonArea(tall)), (Rect{5, 12, 28, 35}));
    EXPECT_EQ(menuTextArea(tall, kMenuIconSize), (Rect{32, 10, 184, 37}));
}

}  // namespace
}  // namespace vela::menu
