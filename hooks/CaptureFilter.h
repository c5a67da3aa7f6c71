// Decides, for each low-level keyboard event, what a capture of the keyboard
// takes: while the user presses a shortcut for Vela to learn, the keyboard is
// Vela's alone. Portable, like KeyFilter.
#pragma once

#include <bitset>

#include "hooks/KeyFilter.h"

namespace vela::hooks {

struct CaptureVerdict {
    bool swallow = false;  // the event goes no further, the system never sees it
    bool tell = false;     // the event goes to Vela's listener as a captured key
    bool operator==(const CaptureVerdict&) const = default;
};

// - While capturing, every press is swallowed and told, Windows, Alt+Tab,
//   Print Screen, Alt+F4 and Escape alike (their auto-repeats too).
// - A release is told while capturing; it is swallowed exactly when its press
//   was, even after the capture ended (and so are that key's auto-repeats
//   until then), so the system never sees a key come up that it never saw go
//   down, nor a key stay down that it saw go down.
// - Injected events pass untouched: Vela's own keys, and other programs'.
// Events it passes go on to the slots' filter.
class CaptureFilter {
public:
    CaptureVerdict onEvent(const KeyInput& in, bool capturing);
    // True while a swallowed press still waits for its release.
    bool holdsRelease() const { return swallowed_.any(); }

private:
    std::bitset<256> swallowed_;
};

}  // namespace vela::hooks
