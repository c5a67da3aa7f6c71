// The input records the tests expect, built field by field: one builder for
// keys and one for the mouse, so every test spells a record the same way.
#pragma once

#include <cstdint>

#include "core/InputPorts.h"
#include "core/PcScanCodes.h"

namespace vela::test {

// A key with the code a PC keyboard sends for it: what a layout that gives
// none (the recording port's, unless a test fills it) leaves it with.
inline InputRecord key(std::uint16_t vk, bool up, std::uint32_t time = 0,
                       std::uint64_t extraInfo = 0) {
    InputRecord r;
    r.type = InputRecord::Keyboard;
    r.virtualKey = vk;
    r.scanCode = pcScanCodeOf(vk).code;
    r.flags = up ? 2u : 0u;
    r.time = time;
    r.extraInfo = extraInfo;
    return r;
}

// The same record for an extended key (arrows, Delete, the Windows keys,
// media keys...).
inline InputRecord extended(InputRecord r) {
    r.flags |= 1u;
    return r;
}

inline InputRecord mouse(std::int32_t dx, std::int32_t dy, std::uint32_t flags,
                         std::uint32_t data = 0) {
    InputRecord r;
    r.type = InputRecord::Mouse;
    r.dx = dx;
    r.dy = dy;
    r.flags = flags;
    r.mouseData = data;
    return r;
}

}  // namespace vela::test
