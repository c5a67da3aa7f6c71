#include "core/InputRecords.h"

#include <algorithm>

namespace vela {

std::int32_t normalizeToPrimary(std::int32_t pixel, std::int32_t extent) {
    if (extent <= 0) return 0;
    // 64-bit product so that an out-of-range pixel cannot overflow; for pixels
    // on the screen the result equals 32-bit arithmetic.
    return static_cast<std::int32_t>(static_cast<std::int64_t>(pixel) * 65535 / extent);
}

namespace {

// The smallest value whose image under the system's mapping back to pixels
// (value · extent / 65536, truncated) is `offset`, clamped to the valid range.
std::int32_t normalizeToDesktop(std::int32_t offset, std::int32_t extent) {
    const std::int64_t value = (static_cast<std::int64_t>(offset) * 65536 + extent - 1) / extent;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, 65535));
}

}  // namespace

MouseTarget targetAtCursor(Point cursor, Size primary, Rect desk) {
    const bool onPrimary = Rect{0, 0, primary.width, primary.height}.contains(cursor);
    const bool deskUsable = desk.width() > 0 && desk.height() > 0 && desk.contains(cursor);
    if (onPrimary || !deskUsable) {
        return {normalizeToPrimary(cursor.x, primary.width),
                normalizeToPrimary(cursor.y, primary.height), 0};
    }
    return {normalizeToDesktop(cursor.x - desk.left, desk.width()),
            normalizeToDesktop(cursor.y - desk.top, desk.height()), mouseflag::VirtualDesk};
}

InputRecord mouseRecord(const MouseTarget& at, std::uint32_t buttonFlags, std::uint32_t mouseData) {
    InputRecord r;
    r.type = InputRecord::Mouse;
    r.dx = at.dx;
    r.dy = at.dy;
    r.mouseData = mouseData;
    r.flags = mouseflag::AbsoluteMove | at.extraFlags | buttonFlags;
    return r;
}

InputRecord keyRecord(std::uint16_t virtualKey, bool up, std::uint32_t time,
                      std::uint64_t extraInfo) {
    InputRecord r;
    r.type = InputRecord::Keyboard;
    r.virtualKey = virtualKey;
    r.flags = up ? kKeyUpFlag : 0;
    r.time = time;
    r.extraInfo = extraInfo;
    return r;
}

}  // namespace vela
