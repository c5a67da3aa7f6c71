#include "win32/Dpi.h"

#include <cwchar>

#include "core/DpiScale.h"

namespace vela::win32 {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn getDpiForWindow() {
    // Looked up once: present from Windows 10 1607 on.
    static const auto function = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<GetDpiForWindowFn>(
                            reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

int windowDpi(HWND window) {
    if (GetDpiForWindowFn function = getDpiForWindow(); function && window) {
        if (const UINT dpi = function(window); dpi > 0) return static_cast<int>(dpi);
    }
    int dpi = 0;
    if (HDC dc = GetDC(window)) {
        dpi = GetDeviceCaps(dc, LOGPIXELSX);
        ReleaseDC(window, dc);
    }
    return dpi > 0 ? dpi : kBaseDpi;
}

namespace {

bool scalable(HFONT font) {
    bool result = true;
    if (HDC screen = GetDC(nullptr)) {
        const HGDIOBJ previous = SelectObject(screen, font);
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(screen, &metrics))
            result = (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
        SelectObject(screen, previous);
        ReleaseDC(nullptr, screen);
    }
    return result;
}

}  // namespace

HFONT createScaledFont(const wchar_t* face, int height, int width, int weight, int dpi,
                       const wchar_t* scalableFace) {
    LOGFONTW font{};
    font.lfHeight = scaleToDpi(height, dpi);
    font.lfWidth = scaleToDpi(width, dpi);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectW(&font);
    if (created && scalable(created)) return created;
    if (created) DeleteObject(created);
    font.lfWidth = 0;  // the width was the other face's
    wcsncpy(font.lfFaceName, scalableFace, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

}  // namespace vela::win32
