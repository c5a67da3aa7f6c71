#include "app/NoticeWindow.h"

#include <algorithm>

#include "app/AppIdentity.h"

namespace vela {

namespace {

// The dark of the main window's skin, its edge, and light text on it.
constexpr COLORREF kNoticeBack = RGB(32, 36, 44);
constexpr COLORREF kNoticeEdge = RGB(12, 14, 18);
constexpr COLORREF kNoticeText = RGB(235, 240, 245);
constexpr BYTE kNoticeOpacity = 235;
// Room around the text, the notice's offset from the pointer (below and right
// of its arrow, clear of what it points at), and from the screen's edge.
constexpr int kPadX = 12;
constexpr int kPadY = 6;
constexpr POINT kFromPointer{16, 20};
constexpr int kFromEdge = 8;

// The system's message font, a little larger: read at a glance.
HFONT createNoticeFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfHeight = font.lfHeight * 5 / 4;
    font.lfWeight = FW_SEMIBOLD;
    return CreateFontIndirectW(&font);
}

// Where a notice of `size` goes for the pointer at `at`: below and right of
// it, or on its other side where that would leave the pointer's monitor.
POINT placeNear(POINT at, SIZE size) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor))
        area = monitor.rcWork;
    POINT place{at.x + kFromPointer.x, at.y + kFromPointer.y};
    if (place.x + size.cx > area.right - kFromEdge) place.x = at.x - kFromPointer.x - size.cx;
    if (place.y + size.cy > area.bottom - kFromEdge) place.y = at.y - kFromPointer.y - size.cy;
    place.x =
        std::clamp<LONG>(place.x, area.left + kFromEdge,
                         std::max<LONG>(area.left + kFromEdge, area.right - kFromEdge - size.cx));
    place.y =
        std::clamp<LONG>(place.y, area.top + kFromEdge,
                         std::max<LONG>(area.top + kFromEdge, area.bottom - kFromEdge - size.cy));
    return place;
}

}  // namespace

NoticeWindow::NoticeWindow(HINSTANCE module) : font_(createNoticeFont()) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &NoticeWindow::windowProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kNoticeWindowClass;
    RegisterClassExW(&windowClass);
    // Never in front, never in the taskbar, never under a click: layered and
    // transparent, the click goes to the window below it.
    window_.reset(CreateWindowExW(
        WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT,
        kNoticeWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, nullptr));
    if (!window_) return;
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetLayeredWindowAttributes(window_.get(), 0, kNoticeOpacity, LWA_ALPHA);
    timers_.setWindow(window_.get());
}

void NoticeWindow::show(const std::wstring& text) {
    if (!window_) return;
    text_ = text;
    // The title carries the text too, for tools that list windows.
    SetWindowTextW(window_.get(), text_.c_str());
    RECT measured{};
    if (HDC dc = GetDC(window_.get())) {
        const HGDIOBJ old = SelectObject(dc, font_.get());
        DrawTextW(dc, text_.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(window_.get(), dc);
    }
    const SIZE size{measured.right + 2 * kPadX, measured.bottom + 2 * kPadY};
    POINT pointer{};
    GetCursorPos(&pointer);
    const POINT at = placeNear(pointer, size);
    SetWindowPos(window_.get(), HWND_TOPMOST, at.x, at.y, size.cx, size.cy,
                 SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    InvalidateRect(window_.get(), nullptr, TRUE);
    ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(window_.get());
}

void NoticeWindow::hide() {
    // Never the active window, so hiding it does not wait for a new one.
    if (window_) ShowWindow(window_.get(), SW_HIDE);
}

void NoticeWindow::paint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(window_.get(), &ps);
    if (!dc) return;
    RECT all{};
    GetClientRect(window_.get(), &all);
    const win32::UniqueGdi<HBRUSH> back(CreateSolidBrush(kNoticeBack));
    const win32::UniqueGdi<HBRUSH> edge(CreateSolidBrush(kNoticeEdge));
    FillRect(dc, &all, back.get());
    FrameRect(dc, &all, edge.get());
    const HGDIOBJ old = SelectObject(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kNoticeText);
    DrawTextW(dc, text_.c_str(), -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(window_.get(), &ps);
}

std::optional<LRESULT> NoticeWindow::onMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint fills it all
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            if (notice.onTimer(static_cast<int>(wParam))) return 0;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

LRESULT CALLBACK NoticeWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NoticeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        if (const std::optional<LRESULT> handled = self->onMessage(message, wParam, lParam))
            return *handled;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vela
