// Lengths drawn for 100 % (96 DPI) taken to a display's DPI. Rectangles scale
// edge by edge, so neighbours that touch at 100 % still touch at every scale.
#pragma once

#include <cstdint>

#include "core/Geometry.h"

namespace vela {

inline constexpr int kBaseDpi = 96;

// length · dpi / 96, rounded half away from zero (as MulDiv rounds). A DPI of
// zero or less, from a device that reports none, counts as 96.
constexpr std::int32_t scaleToDpi(std::int32_t length, int dpi) {
    if (dpi <= 0) return length;
    const std::int64_t product = static_cast<std::int64_t>(length) * dpi;
    const std::int64_t half = kBaseDpi / 2;
    return static_cast<std::int32_t>(product >= 0 ? (product + half) / kBaseDpi
                                                  : -((-product + half) / kBaseDpi));
}

constexpr Rect scaleToDpi(const Rect& r, int dpi) {
    return {scaleToDpi(r.left, dpi), scaleToDpi(r.top, dpi), scaleToDpi(r.right, dpi),
            scaleToDpi(r.bottom, dpi)};
}

constexpr Size scaleToDpi(Size s, int dpi) {
    return {scaleToDpi(s.width, dpi), scaleToDpi(s.height, dpi)};
}

}  // namespace vela
