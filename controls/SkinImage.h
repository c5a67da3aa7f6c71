// The main window's skin at the size of the display's scale, from the nearer
// of its two drawings (100 % and 200 %).
#pragma once

#include <windows.h>

#include "controls/GdiPlusBitmap.h"
#include "core/Geometry.h"

namespace vela {

// Which drawing of an image to scale for `dpi`: the 100 % one up to 96 DPI,
// the 200 % one above; and the factor it is drawn at.
struct ImageChoice {
    bool doubleSize = false;
    double drawScale = 1.0;
};
ImageChoice chooseImage(int dpi);

// `image` resampled to `size` as a bitmap for the screen. The image's alpha
// decides the window's shape: a pixel less than half covered becomes `key`
// (the window's transparent colour), any other one is made opaque over `edge`,
// so the outline is clean at every scale, without a fringe of the key colour.
// Null when the image is missing or the system refuses.
HBITMAP createSkinBitmap(const CGdiPlusBitmap& image, Size size, COLORREF key, COLORREF edge);

}  // namespace vela
