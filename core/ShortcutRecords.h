// The input records of a shortcut, sent as a real keyboard and mouse would: the
// modifiers go down in their fixed order, then the key, and everything comes
// up in the reverse order.
#pragma once

#include <vector>

#include "core/InputPorts.h"
#include "core/Shortcut.h"

namespace vela {

// One press: the modifiers down, the key down and up (a button clicked where
// the pointer is; a wheel notch turned once), the modifiers up. Keys carry the
// layout's scan code and the extended flag; a modifier alone is pressed and
// let go.
std::vector<InputRecord> shortcutPressRecords(const Shortcut& shortcut, InputStatePort& input);

// The first half of a press, for a shortcut held while its input is down: the
// modifiers down, then the key or button down (or the notch, which has no
// release). The ledger of held input lets go of them later, last pressed
// first, which is the second half of shortcutPressRecords.
std::vector<InputRecord> shortcutDownRecords(const Shortcut& shortcut, InputStatePort& input);

}  // namespace vela
