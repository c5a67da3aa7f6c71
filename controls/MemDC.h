// An off-screen surface that collects drawing for a target context and copies
// it there in one step when it goes out of scope, so a skin paints without
// flicker.
#pragma once

#include <windows.h>

#include "win32/Handle.h"

namespace vela {

class CMemDC {
public:
    // `area` in the target's logical coordinates; none or all zero means the
    // target's clip box. Callers draw with the target's own coordinates.
    explicit CMemDC(HDC target, const RECT* area = nullptr);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The context to draw on: the off-screen one, or the target itself when
    // the target is a printer, which gets the drawing directly.
    HDC dc() const { return offScreen_ ? dc_.get() : target_; }
    const RECT& area() const { return area_; }
    bool offScreen() const { return offScreen_; }

private:
    HDC target_;
    RECT area_{};
    bool offScreen_ = false;
    win32::UniqueDc dc_;
    win32::UniqueGdi<HBITMAP> bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
};

}  // namespace vela
