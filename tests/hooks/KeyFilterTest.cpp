#include <gtest/gtest.h>

#include <ostream>

#include "hooks/KeyFilter.h"

namespace vela::hooks {

void PrintTo(const Verdict& v, std::ostream* os) {
    *os << (v.suppress ? "{swallow" : "{pass");
    if (v.reportSlot) *os << " report " << slotInfo(*v.reportSlot).name << " x" << v.reports;
    if (v.detail) *os << " detail " << v.detail;
    if (v.maskFirst) *os << " mask first";
    if (v.release) *os << " release";
    *os << "}";
}

namespace {

KeyInput down(std::uint32_t vk, bool injected = false) {
    return {vk, true, injected};
}
KeyInput up(std::uint32_t vk, bool injected = false) {
    return {vk, false, injected};
}

Verdict reportWithAlts(std::uint32_t alts) {
    Verdict v = Verdict::report(Slot::AltTab);
    v.detail = alts;
    return v;
}
Verdict passMasked() {
    Verdict v = Verdict::pass();
    v.maskFirst = true;
    return v;
}

const SlotSet kAltTab = SlotSet().with(Slot::AltTab);
const SlotSet kNone;
constexpr std::uint32_t kF4 = 0x73;
constexpr std::uint32_t kLeftControl = 0xA2;

TEST(KeyFilterChord, OnlyTabIsTakenAndTheAltReleaseIsMasked) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::pass());  // repeat, no chord yet
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), reportWithAlts(heldalt::Left));
    // Auto-repeat of the held Tab, and of the held Alt: Vela may have let that
    // Alt go for the slot's function, so its repeats must not press it again.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::swallow());
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::swallow());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::reportRelease(Slot::AltTab));
    // A second Tab with Alt still held is a second activation.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), reportWithAlts(heldalt::Left));
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::reportRelease(Slot::AltTab));
    EXPECT_TRUE(f.holdsRelease());  // the Alt release still owes its mask
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), passMasked());
    EXPECT_FALSE(f.holdsRelease());
    // The next Alt press and release is an Alt of its own: no mask.
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), Verdict::pass());
}

TEST(KeyFilterChord, RightAltAndTheGenericAltCodeCountAsAlt) {
    for (std::uint32_t alt : {keycode::RightAlt, keycode::Alt}) {
        SCOPED_TRACE(alt);
        KeyFilter f;
        EXPECT_EQ(f.onEvent(down(alt), kAltTab), Verdict::pass());
        EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab),
                  reportWithAlts(alt == keycode::RightAlt ? heldalt::Right : heldalt::Left));
        EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::reportRelease(Slot::AltTab));
        EXPECT_EQ(f.onEvent(up(alt), kAltTab), passMasked());
        EXPECT_FALSE(f.holdsRelease());
    }
}

TEST(KeyFilterChord, BothAltsHeldStayHeldUntilBothAreReleased) {
    KeyFilter f;
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    f.onEvent(down(keycode::RightAlt), kAltTab);
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab),
              reportWithAlts(heldalt::Left | heldalt::Right));
    f.onEvent(up(keycode::Tab), kAltTab);
    // Each release is masked: each can end a lone Alt in the program's eyes.
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), passMasked());
    EXPECT_TRUE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), reportWithAlts(heldalt::Right));
    f.onEvent(up(keycode::Tab), kAltTab);
    EXPECT_EQ(f.onEvent(up(keycode::RightAlt), kAltTab), passMasked());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
}

TEST(KeyFilterChord, AltShortcutsAndOtherKeysPass) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::pass());
    // Alt+F4 reaches the system as Alt+F4, unmasked.
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(down(kF4), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(kF4), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
}

// AltGr on a German, French or Polish layout as Windows delivers it: a left
// Control the system makes up (scan code 0x21D), then Right Alt, extended.
// The filter sees only the virtual keys; the character key between them must
// pass with both.
TEST(KeyFilterChord, AltGrCharactersPassWhileTheSlotIsInstalled) {
    KeyFilter f;
    constexpr std::uint32_t kQ = 0x51;  // AltGr+Q is @ on a German layout
    for (const KeyInput& in : {down(kLeftControl), down(keycode::RightAlt), down(kQ), up(kQ),
                               up(kLeftControl), up(keycode::RightAlt)}) {
        EXPECT_EQ(f.onEvent(in, kAltTab), Verdict::pass()) << in.virtualKey;
    }
    EXPECT_FALSE(f.holdsRelease());
    EXPECT_FALSE(f.altHeld());
}

TEST(KeyFilterChord, TabHeldFromBeforeAltStaysNativeUntilReleased) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    // Its auto-repeats are not new presses.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::pass());
    // The next press with Alt still held is the chord.
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), reportWithAlts(heldalt::Left));
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::reportRelease(Slot::AltTab));
}

TEST(KeyFilterSlotState, NothingIsTakenWhileTheSlotIsRemoved) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kNone), Verdict::pass());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kNone), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kNone), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kNone), Verdict::pass());
    // Other slots installed do not matter to the keyboard.
    f.onEvent(down(keycode::LeftAlt), mouseSlots());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), mouseSlots()), Verdict::pass());
}

TEST(KeyFilterSlotState, ReleasesFollowTheirPressesAcrossInstallAndRemove) {
    KeyFilter f;
    // Removed while Alt and Tab are held: the Tab release stays swallowed and
    // the Alt release keeps its mask.
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    f.onEvent(down(keycode::Tab), kAltTab);
    EXPECT_TRUE(f.holdsRelease());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kNone), Verdict::swallow());  // repeat
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kNone), Verdict::reportRelease(Slot::AltTab));
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kNone), passMasked());
    EXPECT_FALSE(f.holdsRelease());
    // Alt held, repeating, across an install: every one of its events passes.
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kNone), Verdict::pass());
    EXPECT_EQ(f.onEvent(down(keycode::LeftAlt), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt), kAltTab), Verdict::pass());
}

TEST(KeyFilterSlotState, TheHookLearnsWhatIsDownWhenItGoesIn) {
    // Tab went down while the hook was out: its repeats and release stay
    // native although Alt is now held and the slot installed.
    KeyFilter f;
    f.onHookInstalled(true, false, false);
    f.onEvent(down(keycode::RightAlt), kAltTab);
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab), kAltTab), Verdict::pass());
    // Alt held from before the hook: a Tab now is the chord.
    KeyFilter g;
    g.onHookInstalled(false, true, false);
    EXPECT_EQ(g.onEvent(down(keycode::Tab), kAltTab), reportWithAlts(heldalt::Left));
    // Alt let go while the hook was out: a Tab now is a plain Tab.
    KeyFilter h;
    h.onEvent(down(keycode::LeftAlt), kAltTab);
    h.onHookInstalled(false, false, false);
    EXPECT_EQ(h.onEvent(down(keycode::Tab), kAltTab), Verdict::pass());
}

TEST(KeyFilterInjected, OwnSyntheticKeysPassAndLeaveTheTrackingAlone) {
    KeyFilter f;
    EXPECT_EQ(f.onEvent(down(keycode::Alt, true), kAltTab), Verdict::pass());
    EXPECT_FALSE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab, true), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Tab, true), kAltTab), Verdict::pass());
    EXPECT_EQ(f.onEvent(up(keycode::Alt, true), kAltTab), Verdict::pass());
    // Physical Alt held, Vela's own Alt release in between (it lets Alt go
    // before the slot's function): the physical chord goes on.
    f.onEvent(down(keycode::LeftAlt), kAltTab);
    EXPECT_EQ(f.onEvent(up(keycode::LeftAlt, true), kAltTab), Verdict::pass());
    EXPECT_TRUE(f.altHeld());
    EXPECT_EQ(f.onEvent(down(keycode::Tab), kAltTab), reportWithAlts(heldalt::Left));
}

}  // namespace
}  // namespace vela::hooks
