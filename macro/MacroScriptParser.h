// Turns the bytes of a macro script file into steps.
#pragma once

#include <cstdint>
#include <span>

#include "macro/MacroScript.h"

namespace vela {

// Reads 8-bit text the way the platform's text mode does: CR before LF
// dropped, a Ctrl+Z byte ends the file, and a line whose first byte is 0 ends
// the reading. Only lines that begin with a command word count.
// `skipRightButton` keeps "RightDown"/"RightUp" out, for the slot whose own
// hook watches the right button.
MacroScript parseMacroScript(std::span<const std::uint8_t> bytes, bool skipRightButton);

}  // namespace vela
