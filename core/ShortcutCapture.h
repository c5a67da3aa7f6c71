// What the capture dialog makes of the keys pressed while it listens: the
// shortcut the user means, shown as it forms.
#pragma once

#include <bitset>
#include <cstdint>

#include "core/Shortcut.h"

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
// - The shortcut is the modifiers held now and the key pressed with them,
//   complete at the key's press; letting go keeps it.
// - Modifiers pressed without a key give a shortcut of every modifier pressed
//   since the last time nothing was down (Ctrl, Shift, let go: Ctrl+Shift).
// - The first press after everything was let go starts a new shortcut; a
//   modifier pressed after the key of a shortcut while something is still down
//   changes nothing, another key makes a new shortcut with the modifiers held.
// - Auto-repeats change nothing; a release whose press came before the
//   dialog listened changes nothing; while it does not listen, the shortcut
//   stays and nothing counts as held.
// - Every key is a key: Escape, Enter, Tab, Windows, Print Screen, Alt+F4.
// - AltGr is Right Alt: Windows sends it as a marked left Control and Right
//   Alt (the Control is left out), Wine as its own key 0xE4.
// - A Shift, Control or Alt key that does not tell left from right is told by
//   its scan code or extended flag.
class ShortcutCapture {
public:
    void onKey(const CapturedKey& event);
    // A key from the dialog's list replaces the key and keeps the modifiers.
    void chooseFromList(ShortcutKey key);
    void clear();
    // The dialog stopped listening (another window in front): what is held
    // now may come up unseen, so the shortcut keeps nothing of it.
    void stoppedListening();

    // The shortcut so far; empty until something was pressed.
    const Shortcut& shortcut() const { return shortcut_; }

private:
    bool building_ = false;  // only modifiers since nothing was down
    std::bitset<256> down_;
    ModifierSet held_ = 0;
    Shortcut shortcut_;
};

}  // namespace vela
