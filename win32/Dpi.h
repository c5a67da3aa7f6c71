// The DPI a window is shown at: per monitor where the system tells it (Windows
// 10 1607 and later, and Wine), else the system's one DPI.
#pragma once

#include <windows.h>

namespace vela::win32 {

// The DPI of the monitor `window` is on; the system DPI where the system
// knows no other, 96 where it reports none.
int windowDpi(HWND window);

// A font of `face` whose cell (height > 0) or characters (height < 0) are
// `height` pixels high and `width` wide (0: the face's own) at 100 %, at
// `dpi`. A face the system has only as a bitmap font, which cannot grow
// smoothly, gives way to `scalableFace`.
HFONT createScaledFont(const wchar_t* face, int height, int width, int weight, int dpi,
                       const wchar_t* scalableFace);

}  // namespace vela::win32
