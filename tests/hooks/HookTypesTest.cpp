#include <gtest/gtest.h>

#include "hooks/HookTypes.h"

namespace vela::hooks {
namespace {

TEST(HookSlotSets, MouseAndKeyboardSlotsSplitTheTableWithoutOverlap) {
    EXPECT_FALSE(intersects(mouseSlots(), keyboardSlots()));
    EXPECT_EQ(mouseSlots().bits() | keyboardSlots().bits(), SlotSet()
                                                                .with(Slot::R)
                                                                .with(Slot::M)
                                                                .with(Slot::X1)
                                                                .with(Slot::X2)
                                                                .with(Slot::WD)
                                                                .with(Slot::WU)
                                                                .with(Slot::WL)
                                                                .with(Slot::WR)
                                                                .with(Slot::AltTab)
                                                                .bits());
    EXPECT_EQ(keyboardSlots(), SlotSet().with(Slot::AltTab));
    // The DPI position 7 is never a hook slot.
    EXPECT_EQ(mouseSlots().bits() & (1u << kDpiSlotNumber), 0u);
}

TEST(HookSlotSets, EveryTriggerHasExactlyItsOwnSlot) {
    EXPECT_EQ(slotWatching(Trigger::RightButton), Slot::R);
    EXPECT_EQ(slotWatching(Trigger::MiddleButton), Slot::M);
    EXPECT_EQ(slotWatching(Trigger::ForwardButton), Slot::X1);
    EXPECT_EQ(slotWatching(Trigger::BackButton), Slot::X2);
    EXPECT_EQ(slotWatching(Trigger::WheelDown), Slot::WD);
    EXPECT_EQ(slotWatching(Trigger::WheelUp), Slot::WU);
    EXPECT_EQ(slotWatching(Trigger::TiltLeft), Slot::WL);
    EXPECT_EQ(slotWatching(Trigger::TiltRight), Slot::WR);
    EXPECT_EQ(slotWatching(Trigger::AltTab), Slot::AltTab);
}

TEST(HookSlotSets, MaskAddsAndRemovesSingleSlots) {
    const SlotSet m = SlotSet().with(Slot::R).with(Slot::AltTab);
    EXPECT_TRUE(m.has(Slot::R));
    EXPECT_TRUE(m.has(Slot::AltTab));
    EXPECT_FALSE(m.has(Slot::M));
    EXPECT_FALSE(m.without(Slot::R).has(Slot::R));
    EXPECT_TRUE(m.without(Slot::R).has(Slot::AltTab));
    EXPECT_FALSE(SlotSet().any());
}

TEST(EngineEvents, BouncesCarryACountAndWhetherTheButtonsReleaseWindowIsOn) {
    BounceCounts counts;
    EXPECT_TRUE(unpackBounces(packBounces(3, 70000, true), counts));
    EXPECT_TRUE(unpackBounces(packBounces(kWheelBounceCounter, 2, false), counts));
    EXPECT_FALSE(unpackBounces(packBounces(kWheelBounceCounter + 1, 1, false), counts));
    EXPECT_EQ(counts, (BounceCounts{{0, 0, 0, 70000, 0}, 2, {false, false, false, true, false}}));
}

}  // namespace
}  // namespace vela::hooks
