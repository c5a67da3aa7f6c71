// Where each key sits on a PC keyboard: the scan code it sends (set 1, as
// Windows reports it) and whether an E0 prefix comes first. The one answer
// for a key the layout gives no code for: Wine's layouts leave out the keypad
// digits and F13..F24, every layout the media keys, and a game that reads
// scan codes sees a key with code 0 as no key at all.
#pragma once

#include <cstdint>

namespace vela {

struct PcScanCode {
    std::uint8_t code = 0;  // 0: no PC keyboard has the key
    bool extended = false;  // sent after an E0 prefix
    constexpr bool operator==(const PcScanCode&) const = default;
};

// The code of a virtual key. Keys with two places take the main block's
// (Enter, not the keypad's); the generic Shift, Control and Alt the left
// key's; Clear is keypad 5 with Num Lock off. Keys whose place depends on the
// layout (OEM 8) and keys no PC keyboard has give code 0.
PcScanCode pcScanCodeOf(std::uint16_t virtualKey);

}  // namespace vela
