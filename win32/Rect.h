// Vela's one rectangle type against the platform's RECT, both ways.
#pragma once

#include <windows.h>

#include "core/Geometry.h"

namespace vela::win32 {

constexpr RECT toRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
constexpr Rect fromRECT(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A window's rectangle in screen coordinates.
inline Rect windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return fromRECT(r);
}

// A child's rectangle in its parent's client coordinates.
inline Rect rectInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return fromRECT(r);
}

}  // namespace vela::win32
