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
}  // namespace keycode

struct KeyInput {
    std::uint32_t virtualKey = 0;
    bool down = false;  // false for a release
    bool injected = false;
};

// While the Alt+Tab slot is installed, the physical Alt keys belong to Vela:
//
// - Alt down (either Alt, auto-repeats included) is swallowed and the filter
//   remembers Alt as held; its release is swallowed too. The rest of the
//   system never sees a physical Alt, so Vela's own keys sent in answer to the
//   chord are not turned into Alt shortcuts by a finger still on Alt. This is
//   why the menu warns that the function disables the Alt key.
// - Tab pressed while Alt is held is swallowed and reported once; its
//   auto-repeats and its release are swallowed without a report. The next
//   Tab press while Alt is still held reports again. A Tab already down
//   before Alt stays native until it is released.
// - Tab without Alt, and every other key, pass untouched.
// - A release whose press was swallowed is swallowed even after the slot is
//   removed; a press that went through keeps its release.
// - Injected events pass untouched and change nothing, so Vela's own Alt
//   chords never report and never disturb the tracking.
//
// Alt is tracked from its own events, not from the hook's "Alt down" flag,
// which Wine does not set.
class KeyFilter {
public:
    Verdict onEvent(const KeyInput& in, SlotMask installed);

    bool altHeld() const { return leftAltSwallowed_ || rightAltSwallowed_; }
    // True while a swallowed press still waits for its release.
    bool holdsRelease() const { return altHeld() || tabSwallowed_; }

private:
    Verdict onAlt(bool& swallowed, bool down, bool slotInstalled);

    bool leftAltSwallowed_ = false;
    bool rightAltSwallowed_ = false;
    bool tabSwallowed_ = false;
    bool tabPassed_ = false;  // a Tab press went through natively and is still down
};

}  // namespace vela::hooks
