// Decides, for each low-level keyboard event, what the Alt+Tab slot swallows
// and when it reports. Portable, like MouseFilter.
#pragma once

#include <cstdint>

#include "hooks/HookTypes.h"

namespace vela::hooks {

namespace keycode {
inline constexpr std::uint32_t Tab = 0x09;
inline constexpr std::uint32_t Alt = 0x12;  // VK_MENU
inline constexpr std::uint32_t LeftAlt = 0xA4;
inline constexpr std::uint32_t RightAlt = 0xA5;
inline constexpr std::uint32_t LeftWin = 0x5B;
inline constexpr std::uint32_t RightWin = 0x5C;
}  // namespace keycode

struct KeyInput {
    std::uint32_t virtualKey = 0;
    bool down = false;  // false for a release
    bool injected = false;
};

// Only Tab pressed while Alt is held belongs to the Alt+Tab slot:
//
// - Alt (either one) passes, press and release, so Alt+F4, Alt+letter menu
//   keys and AltGr characters work as without Vela.
// - Tab pressed while Alt is held and the slot is installed is swallowed and
//   reported once, with the Alt keys held then; its auto-repeats are
//   swallowed without a report, its release is swallowed and reported as a
//   release. The next Tab press while Alt is
//   still held reports again. A Tab already down before Alt stays native
//   until it is released.
// - Once a Tab was taken, the program in front has seen Alt go down with
//   nothing after it, and would open its menu bar when Alt comes up: the
//   release carries `maskFirst`, and the hook sends an unassigned key ahead
//   of it. The Alt's auto-repeats are swallowed from then on, so an Alt that
//   Vela let go for the slot's function is not pressed again by them.
// - A release whose press was swallowed is swallowed even after the slot is
//   removed; a press that went through keeps its release.
// - Injected events pass untouched and change nothing, so Vela's own keys
//   never report and never disturb the tracking.
//
// Alt is tracked from its own events, not from the hook's "Alt down" flag,
// which Wine does not set; when the hook goes in, `onHookInstalled` tells the
// filter what is down already.
class KeyFilter {
public:
    Verdict onEvent(const KeyInput& in, SlotSet installed);

    // The keys down as the system sees them at the moment the hook goes in:
    // their presses (and any release while the hook was out) went unseen.
    void onHookInstalled(bool tabDown, bool leftAltDown, bool rightAltDown);

    bool altHeld() const { return leftAlt_ || rightAlt_; }
    // True while the hook must stay: a swallowed Tab waits for its release,
    // or an Alt release owes the mask that goes ahead of it.
    bool holdsRelease() const { return tabSwallowed_ || tabTaken_; }

private:
    Verdict onAlt(bool& down, bool pressed);
    Verdict onTab(bool pressed, bool slotInstalled, Slot slot);
    std::uint32_t heldAlts() const;

    bool leftAlt_ = false;  // physically down, as far as seen
    bool rightAlt_ = false;
    bool tabTaken_ = false;  // a Tab was taken while the Alt keys now held were down
    bool tabSwallowed_ = false;
    bool tabPassed_ = false;  // a Tab press went through natively and is still down
};

}  // namespace vela::hooks
