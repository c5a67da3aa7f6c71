// Undoing the platform's DPI scaling of the main dialog, so the fixed-size
// skin bitmap and the controls on it stay in register.
//
// The dialog template is laid out in dialog units, which the platform scales
// with the display's DPI, while the skin is a bitmap of fixed pixels. The
// window is shrunk by the scale, and each positioned control is divided back
// by divisors measured for the common DPI settings (the platform's font
// metrics do not scale exactly linearly, so the vertical ones differ).
#pragma once

#include <array>
#include <cstdint>

#include "core/Ports.h"

namespace vela {

struct DpiDivisors {
    double horizontal = 1.0;
    double vertical = 1.0;
    bool operator==(const DpiDivisors&) const = default;
};

// The controls moved by the fit, in the order they are moved.
inline constexpr std::array<int, 11> kDpiFitControls{1007, 1,    1000, 1001, 1004, 1003,
                                                     1002, 1005, 1010, 1019, 1020};

// Divisors of one control at 120, 144 and 192 DPI; 0 stands for the scale.
struct DpiFitRow {
    int control;
    std::array<DpiDivisors, 3> at120_144_192;
};

inline constexpr double kUseScale = 0.0;

inline constexpr std::array<DpiFitRow, 11> kDpiFitTable{{
    {1007, {{{kUseScale, kUseScale}, {kUseScale, kUseScale}, {kUseScale, kUseScale}}}},
    {1, {{{1.32, kUseScale}, {1.5, kUseScale}, {2.0, 2.0}}}},
    {1000, {{{1.32, kUseScale}, {1.5, 1.53}, {2.0, 1.96}}}},
    {1001, {{{1.32, 1.23}, {1.5, 1.52}, {2.0, 1.95}}}},
    {1004, {{{1.32, kUseScale}, {1.5, 1.53}, {2.0, 1.94}}}},
    {1003, {{{1.32, kUseScale}, {1.5, 1.54}, {2.0, 1.94}}}},
    {1002, {{{1.32, 1.23}, {1.5, 1.54}, {2.0, 1.93}}}},
    {1005, {{{1.32, 1.23}, {1.5, 1.53}, {2.0, 1.92}}}},
    {1010, {{{1.32, 1.23}, {1.5, 1.53}, {2.0, 1.92}}}},
    {1019, {{{1.32, 1.23}, {1.5, 1.53}, {2.0, 1.92}}}},
    {1020, {{{1.32, 1.23}, {1.5, 1.53}, {2.0, 1.92}}}},
}};

// LOGPIXELSX / 96.
// A device that reports no DPI is taken as 96 rather than dividing by zero.
constexpr double dpiScale(int logPixelsX) {
    return logPixelsX > 0 ? logPixelsX / 96.0 : 1.0;
}

// The divisors of `control` for a display of `logPixelsY`; the scale for any
// DPI other than 120, 144 and 192 and for a control not in the table.
constexpr DpiDivisors dpiDivisors(int control, int logPixelsY, double scale) {
    int column = -1;
    if (logPixelsY == 120) column = 0;
    if (logPixelsY == 144) column = 1;
    if (logPixelsY == 192) column = 2;
    if (column < 0) return {scale, scale};
    for (const DpiFitRow& row : kDpiFitTable) {
        if (row.control != control) continue;
        DpiDivisors d = row.at120_144_192[static_cast<std::size_t>(column)];
        if (d.horizontal == kUseScale) d.horizontal = scale;
        if (d.vertical == kUseScale) d.vertical = scale;
        return d;
    }
    return {scale, scale};
}

// Each coordinate divided and truncated toward zero.
constexpr Rect fitControlRect(const Rect& r, DpiDivisors d) {
    return {static_cast<std::int32_t>(r.left / d.horizontal),
            static_cast<std::int32_t>(r.top / d.vertical),
            static_cast<std::int32_t>(r.right / d.horizontal),
            static_cast<std::int32_t>(r.bottom / d.vertical)};
}

// The window's new size: both sides divided by the scale, truncated.
constexpr std::array<std::int32_t, 2> fitWindowSize(std::int32_t width, std::int32_t height,
                                                    double scale) {
    return {static_cast<std::int32_t>(width / scale), static_cast<std::int32_t>(height / scale)};
}

}  // namespace vela
