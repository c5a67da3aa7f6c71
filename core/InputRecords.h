// Building blocks for synthetic input records, shared by the executors and the
// macro player so that both follow one convention for coordinates and flags.
#pragma once

#include <cstdint>

#include "core/InputPorts.h"

namespace vela {

namespace mouseflag {
inline constexpr std::uint32_t Move = 0x0001;
inline constexpr std::uint32_t LeftDown = 0x0002;
inline constexpr std::uint32_t LeftUp = 0x0004;
inline constexpr std::uint32_t RightDown = 0x0008;
inline constexpr std::uint32_t RightUp = 0x0010;
inline constexpr std::uint32_t MiddleDown = 0x0020;
inline constexpr std::uint32_t MiddleUp = 0x0040;
inline constexpr std::uint32_t XDown = 0x0080;
inline constexpr std::uint32_t XUp = 0x0100;
inline constexpr std::uint32_t Wheel = 0x0800;
inline constexpr std::uint32_t HorizontalWheel = 0x1000;
inline constexpr std::uint32_t VirtualDesk = 0x4000;
inline constexpr std::uint32_t Absolute = 0x8000;
// Every synthetic mouse event is also an absolute move to where it happens.
inline constexpr std::uint32_t AbsoluteMove = Absolute | Move;
}  // namespace mouseflag

inline constexpr std::uint32_t kExtendedKeyFlag = 0x0001;
inline constexpr std::uint32_t kKeyUpFlag = 0x0002;
// The record carries a UTF-16 unit in its scan code instead of a key.
inline constexpr std::uint32_t kUnicodeKeyFlag = 0x0004;
inline constexpr std::uint32_t kXButton1 = 1;
inline constexpr std::uint32_t kXButton2 = 2;
inline constexpr std::int32_t kWheelDelta = 120;

namespace vk {
inline constexpr std::uint8_t Backspace = 0x08;
inline constexpr std::uint8_t Tab = 0x09;
inline constexpr std::uint8_t Shift = 0x10;
inline constexpr std::uint8_t Control = 0x11;
inline constexpr std::uint8_t Alt = 0x12;
inline constexpr std::uint8_t LeftWindows = 0x5B;
inline constexpr std::uint8_t LeftAlt = 0xA4;
inline constexpr std::uint8_t RightAlt = 0xA5;
// A key no layout assigns: pressed between an Alt press and its release, it
// keeps the program in front from opening its menu bar.
inline constexpr std::uint8_t MenuMask = 0xE8;
}  // namespace vk

// Where a synthetic mouse event lands, in the absolute coordinates SendInput
// takes, plus any extra flag the coordinates need.
struct MouseTarget {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::uint32_t extraFlags = 0;
    bool operator==(const MouseTarget&) const = default;
};

// The absolute coordinate (0..65535) of pixel `offset` of a screen `extent`
// pixels long. The system maps a coordinate back as value · extent / 65536,
// truncated, so each pixel owns a run of about 65536 / extent values: the one
// in the middle of the run is taken, which lands on `offset` itself and stays
// there under a mapping that rounds instead. An offset off the screen gives a
// value outside 0..65535 that still maps back to it; a zero or negative
// extent gives 0.
std::int32_t absoluteCoordinate(std::int32_t offset, std::int32_t extent);

// The pixel the system puts an absolute coordinate on (the inverse above).
std::int32_t pixelOfAbsolute(std::int32_t value, std::int32_t extent);

// Where a synthetic mouse event at pixel `at` goes: the one routine of every
// click and macro step, so each lands on that very pixel and leaves the
// pointer where it is. On the primary monitor the coordinates are taken over
// the primary screen; anywhere else (a monitor left of, right of or above it)
// over the whole virtual desktop, which the primary-screen range cannot reach.
MouseTarget targetAtCursor(Point at, Size primary, Rect virtualScreen);
// The same for where the pointer is now, the virtual desktop asked for only
// when the pointer is off the primary monitor: each question of the platform
// costs time in a press (under Wine more than the click's own send).
MouseTarget targetAtCursor(InputStatePort& state);

// The pixel a target lands on: the system's own mapping of its coordinates.
Point pixelOfTarget(const MouseTarget& target, Size primary, Rect virtualScreen);

InputRecord mouseRecord(const MouseTarget& at, std::uint32_t buttonFlags,
                        std::uint32_t mouseData = 0);
// Keys whose scan code comes with the E0 prefix on a PC keyboard
// (core/PcScanCodes.h): games that read scan codes tell such a key from its
// twin on the keypad by that flag alone.
bool isExtendedKey(std::uint16_t virtualKey);

// The scan code of a key for synthetic input: the layout's, or for a key the
// layout has none for the one a PC keyboard sends.
std::uint16_t scanCodeFor(InputStatePort& input, std::uint16_t virtualKey);

// A key record as games see a real key: the virtual key, its scan code and,
// for an extended key, the extended-key flag.
InputRecord keyRecord(std::uint16_t virtualKey, std::uint16_t scanCode, bool up,
                      std::uint32_t time = 0, std::uint64_t extraInfo = 0);

}  // namespace vela
