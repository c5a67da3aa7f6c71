// Points, sizes and rectangles in pixels, as the platform measures screens,
// windows and menu rows.
#pragma once

#include <cstdint>

namespace vela {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Size&) const = default;
};

// A rectangle by its edges, as the platform reports window and screen areas:
// `right` and `bottom` lie just outside it.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    constexpr bool contains(Point p) const {
        return p.x >= left && p.y >= top && p.x < right && p.y < bottom;
    }
    bool operator==(const Rect&) const = default;
};

}  // namespace vela
