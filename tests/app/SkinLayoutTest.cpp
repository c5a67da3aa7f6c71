#include <gtest/gtest.h>

#include <set>

#include "core/DpiScale.h"
#include "core/SkinLayout.h"
#include "core/SlotTable.h"

namespace vela {
namespace {

constexpr int kDpis[] = {96, 120, 144, 168, 192};

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(SkinLayout, EveryControlOnceEveryCaptionAndLabelOfTheSlotsPlaced) {
    std::set<int> controls;
    for (const SkinPlace& place : kSkinLayout) {
        EXPECT_TRUE(controls.insert(place.control).second) << place.control;
        EXPECT_GT(place.rect.width(), 0) << place.control;
        EXPECT_GT(place.rect.height(), 0) << place.control;
    }
    for (const SlotInfo& slot : kSlotTable) {
        EXPECT_TRUE(controls.count(slot.captionControl)) << slot.captionControl;
        EXPECT_TRUE(controls.count(slot.descriptionControl)) << slot.descriptionControl;
    }
    for (int control : {IDC_CAPTION_DPI, IDC_LABEL_DPI, IDC_SCRIPT_MENU, IDC_SPARE_BUTTON,
                        IDC_SAVE_AND_EXIT, IDOK, IDC_LOGO})
        EXPECT_TRUE(controls.count(control)) << control;
}

TEST(SkinLayout, AtEveryScaleEachControlStaysOnTheSkinAndOffTheOthers) {
    for (int dpi : kDpis) {
        const Size skin = scaleToDpi(kSkinSize, dpi);
        const Rect window{0, 0, skin.width, skin.height};
        for (const SkinPlace& a : kSkinLayout) {
            const Rect ra = scaleToDpi(a.rect, dpi);
            EXPECT_TRUE(inside(ra, window)) << a.control << " at " << dpi;
            for (const SkinPlace& b : kSkinLayout) {
                // The logo is a drag area under the script and version tags.
                if (&a == &b || a.control == IDC_LOGO || b.control == IDC_LOGO) continue;
                EXPECT_FALSE(overlap(ra, scaleToDpi(b.rect, dpi)))
                    << a.control << " and " << b.control << " at " << dpi;
            }
        }
    }
}

TEST(DpiScale, EdgesScaleEachOnItsOwnRoundedHalfAway) {
    EXPECT_EQ(scaleToDpi(Rect{32, 87, 186, 107}, 96), (Rect{32, 87, 186, 107}));
    EXPECT_EQ(scaleToDpi(Rect{32, 87, 186, 107}, 120), (Rect{40, 109, 233, 134}));
    EXPECT_EQ(scaleToDpi(Rect{32, 87, 186, 107}, 192), (Rect{64, 174, 372, 214}));
    EXPECT_EQ(scaleToDpi(kSkinSize, 144), (Size{954, 702}));
    // Half a pixel goes away from zero, as MulDiv rounds: font heights are negative.
    EXPECT_EQ(scaleToDpi(-11, 144), -17);
    EXPECT_EQ(scaleToDpi(11, 144), 17);
    EXPECT_EQ(scaleToDpi(1, 120), 1);
    EXPECT_EQ(scaleToDpi(2, 120), 3);
    // Touching neighbours keep touching: the right edge of one is the left of the next.
    EXPECT_EQ(scaleToDpi(Rect{0, 0, 13, 1}, 168).right, scaleToDpi(Rect{13, 0, 20, 1}, 168).left);
    // A device that reports no DPI counts as 100 %.
    EXPECT_EQ(scaleToDpi(Rect{1, 2, 3, 4}, 0), (Rect{1, 2, 3, 4}));
}

}  // namespace
}  // namespace vela
