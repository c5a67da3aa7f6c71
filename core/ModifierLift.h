// Input that must arrive as itself, whatever modifiers are down: a text typed
// while Ctrl is held would go out as Ctrl+Enter (send, in a mail program) and
// Ctrl+letters (shortcuts). The modifiers are let go for it and put back
// afterwards, as keyboard tools do.
#pragma once

#include <vector>

#include "core/InputPorts.h"
#include "core/Shortcut.h"

namespace vela {

// The modifier keys (left and right apart) down now: the user's, and those
// Vela itself holds.
ModifierSet modifiersDown(InputStatePort& state);
// Those a finger (or Vela) still holds, though the system may have them up
// since Vela let go of them (InputStatePort::keyHeld).
ModifierSet modifiersHeld(InputStatePort& state);

// The releases of `held`, last in pressing order first, with their scan
// codes; where Alt or Windows is among them, the menu-mask key goes first, so
// that the program in front opens no menu bar and Windows no Start menu.
std::vector<InputRecord> liftRecords(ModifierSet held, InputStatePort& state);

// The presses that put back `held` in pressing order; after Alt or Windows
// the menu-mask key, for their coming release has the same effect.
std::vector<InputRecord> putBackRecords(ModifierSet held, InputStatePort& state);

}  // namespace vela
