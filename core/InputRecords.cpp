#include "core/InputRecords.h"

#include <algorithm>
#include <limits>

#include "core/PcScanCodes.h"

namespace vela {

std::int32_t absoluteCoordinate(std::int32_t offset, std::int32_t extent) {
    if (extent <= 0) return 0;
    // ((offset + 1/2) · 65536) / extent, in integers, rounded down.
    const std::int64_t twice = 2 * static_cast<std::int64_t>(extent);
    const std::int64_t numerator = (2 * static_cast<std::int64_t>(offset) + 1) * 65536;
    const std::int64_t value =
        numerator >= 0 ? numerator / twice : -((-numerator + twice - 1) / twice);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t pixelOfAbsolute(std::int32_t value, std::int32_t extent) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(value) * extent) >> 16);
}

MouseTarget targetAtCursor(Point at, Size primary, Rect desk) {
    const bool onPrimary = Rect{0, 0, primary.width, primary.height}.contains(at);
    const bool deskUsable = desk.width() > 0 && desk.height() > 0 && desk.contains(at);
    if (onPrimary || !deskUsable) {
        return {absoluteCoordinate(at.x, primary.width), absoluteCoordinate(at.y, primary.height),
                0};
    }
    return {absoluteCoordinate(at.x - desk.left, desk.width()),
            absoluteCoordinate(at.y - desk.top, desk.height()), mouseflag::VirtualDesk};
}

MouseTarget targetAtCursor(InputStatePort& state) {
    const Point at = state.cursorPos();
    const Size primary = state.primaryScreenSize();
    if (Rect{0, 0, primary.width, primary.height}.contains(at))
        return targetAtCursor(at, primary, Rect{});
    return targetAtCursor(at, primary, state.virtualScreen());
}

Point pixelOfTarget(const MouseTarget& target, Size primary, Rect desk) {
    if (target.extraFlags & mouseflag::VirtualDesk) {
        return {desk.left + pixelOfAbsolute(target.dx, desk.width()),
                desk.top + pixelOfAbsolute(target.dy, desk.height())};
    }
    return {pixelOfAbsolute(target.dx, primary.width), pixelOfAbsolute(target.dy, primary.height)};
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

bool isExtendedKey(std::uint16_t vk) {
    return pcScanCodeOf(vk).extended;
}

std::uint16_t scanCodeFor(InputStatePort& input, std::uint16_t vk) {
    if (const std::uint16_t code = input.scanCodeOf(vk)) return code;
    return pcScanCodeOf(vk).code;
}

InputRecord keyRecord(std::uint16_t virtualKey, std::uint16_t scanCode, bool up, std::uint32_t time,
                      std::uint64_t extraInfo) {
    InputRecord r;
    r.type = InputRecord::Keyboard;
    r.virtualKey = virtualKey;
    r.scanCode = scanCode;
    r.flags = (up ? kKeyUpFlag : 0) | (isExtendedKey(virtualKey) ? kExtendedKeyFlag : 0);
    r.time = time;
    r.extraInfo = extraInfo;
    return r;
}

}  // namespace vela
