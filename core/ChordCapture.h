// What the capture dialog makes of the keys pressed while it listens: the
// chord the user means, shown as it forms.
#pragma once

#include <bitset>
#include <cstdint>

#include "core/KeyChord.h"

namespace vela {

// One keyboard event as the low-level hook sees it. An auto-repeat is a
// press of a key that is down already.
struct CapturedKey {
    std::uint32_t virtualKey = 0;
    // The hook's scan code whole: the system marks a key it adds to another
    // (AltGr's left Control, the Shift let go around a keypad key with Num
    // Lock on) with 0x200.
    std::uint32_t scanCode = 0;
    bool extended = false;
    bool down = false;
};

// The rules, in the order the user meets them:
// - The chord is the modifiers held now and the key pressed with them,
//   complete at the key's press; letting go keeps it.
// - Modifiers pressed without a key give a chord of every modifier pressed
//   since the last time nothing was down (Ctrl, Shift, let go: Ctrl+Shift).
// - The first press after everything was let go starts a new chord; a
//   modifier pressed after the key of a chord while something is still down
//   changes nothing, another key makes a new chord with the modifiers held.
// - Auto-repeats change nothing; a release whose press came before the
//   dialog listened changes nothing; while it does not listen, the chord
//   stays and nothing counts as held.
// - Every key is a key: Escape, Enter, Tab, Windows, Print Screen, Alt+F4.
// - AltGr is Right Alt: Windows sends it as a marked left Control and Right
//   Alt (the Control is left out), Wine as its own key 0xE4.
// - A Shift, Control or Alt key that does not tell left from right is told by
//   its scan code or extended flag.
class ChordCapture {
public:
    void onKey(const CapturedKey& event);
    // A key from the dialog's list replaces the key and keeps the modifiers.
    void chooseFromList(ChordKey key);
    void clear();
    // The dialog stopped listening (another window in front): what is held
    // now may come up unseen, so the chord keeps nothing of it.
    void stoppedListening();

    // The chord so far; empty until something was pressed.
    const KeyChord& chord() const { return chord_; }

private:
    bool building_ = false;  // only modifiers since nothing was down
    std::bitset<256> down_;
    ModifierSet held_ = 0;
    KeyChord chord_;
};

}  // namespace vela
