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
    // The menu-mask key goes ahead of the event: an Alt or Windows key comes
    // up after keys the system never saw, which would open a menu or Start.
    bool maskFirst = false;
    bool operator==(const CaptureVerdict&) const = default;
};

// - While capturing, every key pressed is swallowed and told, Windows,
//   Alt+Tab, Print Screen, Alt+F4 and Escape alike (their auto-repeats too).
// - A key whose press went to the system before the capture (Ctrl held while
//   the dialog opened) stays the system's: its repeats and its release pass,
//   told while capturing, so the system never keeps it down. Keys already
//   down when the hook goes in are learnt through `onHookInstalled`.
// - A release is told while capturing; it is swallowed when its press was
//   and the capture still runs. A key still held when the capture ends comes
//   up for the system (which may have read it as down meanwhile); its
//   repeats until then stay Vela's.
// - An Alt or Windows key that comes up for the system after keys were
//   swallowed while it was down comes up masked.
// - Injected events pass untouched: Vela's own keys, and other programs'.
// Events it passes go on to the slots' filter.
class CaptureFilter {
public:
    CaptureVerdict onEvent(const KeyInput& in, bool capturing);
    // The keys down as the system sees them when the hook goes in: their
    // presses went by unseen, and went to the system.
    void onHookInstalled(const std::bitset<256>& down);
    // True while a swallowed press still waits for its release.
    bool holdsRelease() const { return swallowed_.any(); }

private:
    std::bitset<256> swallowed_;  // pressed while capturing, still down
    std::bitset<256> passed_;     // pressed for the system, still down
    std::bitset<256> maskOwed_;   // Alt or Windows keys down over swallowed keys
};

}  // namespace vela::hooks
