#include <gtest/gtest.h>

#include "hooks/KeyFilter.h"

namespace vela::hooks {
namespace {

KeyInput down(std::uint32_t vk, bool injected = false) {
    return {vk, true, injected};
}
KeyInput up(std::uint32_t vk, bool injected = false) {
    return {vk, false, injected};
}

const SlotMask kAltTab = SlotMask().with(Slot::AltTab);
const SlotMask kNone;

TEST(KeyFilterChord, AltTabReportsOncePerTabPressAndSwallowsTheWholeChord) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::swallow());
    EXPECT_TRUE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::report(Slot::AltTab));
    // Auto-repeat of the held Tab, and of the held Alt.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::swallow());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::swallow());
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::swallow());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::swallow());
    // A second Tab with Alt still held is a second activation.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::report(Slot::AltTab));
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::swallow());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), Verdict::swallow());
    EXPECT_FALSE(f.holdsRelease());
}

TEST(KeyFilterChord, RightAltAndTheGenericAltCodeCountAsAlt) {
    for (std::uint32_t alt : {keycode::RightAlt, keycode::Alt}) {
        SCOPED_TRACE(alt);
        KeyFilter f;
        EXPECT_EQ(f.onEvent(down(alt), kAltTab), Verdict::swallow());
        EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::report(Slot::AltTab));
        EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::swallow());
        EXPECT_EQ(f.onEvent(up(alt), kAltTab), Verdict::swallow());
        EXPECT_FALSE(f.holdsRelease());
    }
}

TEST(KeyFilterChord, BothAltsHeldStayHeldUntilBothAreReleased) {
    KeyFilter f;
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    f.onEvent(down(keycode::RightAlt), kAltTab);
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), Verdict::swallow());
    EXPECT_TRUE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::report(Slot::AltTab));
    f.onEvent(up(keycode::Tab), kAltTab);
    EXPECT_EQ(f.onEvent(up(keycode::RightAlt), kAltTab), Verdict::swallow());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
}

TEST(KeyFilterChord, TabWithoutAltAndOtherKeysPass) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::pass());
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    // Alt is Vela's while installed: Alt+F4 reaches the system as F4.
    EXPECT_EQ(f.onEvent(down(0x73), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(0x73), kAltTab), Verdict::pass());
    f.onEvent(up(keycode::LeftAlt), kAltTab);
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
}

TEST(KeyFilterChord, TabHeldFromBeforeAltStaysNativeUntilReleased) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    // Its auto-repeats are not new presses.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::pass());
    // The next press with Alt still held is the chord.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::report(Slot::AltTab));
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::swallow());
}

TEST(KeyFilterSlotState, NothingIsTakenWhileTheSlotIsRemoved) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kNone), Verdict::pass());
    EXPECT_FALSE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kNone), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kNone), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kNone), Verdict::pass());
    // Other slots installed do not matter to the keyboard.
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), mouseSlots()), Verdict::pass());
}

TEST(KeyFilterSlotState, ReleasesFollowTheirPressesAcrossInstallAndRemove) {
    KeyFilter f;
    // Removed while Alt and Tab are held: their releases stay swallowed.
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    f.onEvent(down(keycode::Tab), kAltTab);
    EXPECT_TRUE(f.holdsRelease());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kNone), Verdict::swallow());  // repeat
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kNone), Verdict::swallow());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kNone), Verdict::swallow());
    EXPECT_FALSE(f.holdsRelease());
    // Installed while Alt is held natively: that Alt stays native, and a Tab
    // now is not a chord Vela owns.
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kNone), Verdict::pass());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), Verdict::pass());
}

TEST(KeyFilterInjected, OwnSyntheticChordsPassAndLeaveTheTrackingAlone) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::Alt, true), kAltTab), Verdict::pass());
    EXPECT_FALSE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab, true), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab, true), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Alt, true), kAltTab), Verdict::pass());
    // Physical Alt held, synthetic Tab and Alt up in between: the physical
    // chord is unaffected.
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    EXPECT_EQ(f.onEvent(down(keycode::Tab, true), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt, true), kAltTab), Verdict::pass());
    EXPECT_TRUE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::report(Slot::AltTab));
}

}  // namespace
}  // namespace vela::hooks
