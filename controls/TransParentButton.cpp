#include "controls/TransParentButton.h"

#include <string>

#include "win32/Dialog.h"

namespace vela {

CTransParentButton::CTransParentButton()
    : normalTextColor_(GetSysColor(COLOR_WINDOWTEXT)),
      hotTextColor_(GetSysColor(COLOR_HIGHLIGHT)),
      textColor_(normalTextColor_) {}

void CTransParentButton::setColours(COLORREF normal, COLORREF hot) {
    normalTextColor_ = normal;
    hotTextColor_ = hot;
    if (hwnd()) redraw();
}

void CTransParentButton::setFont(HFONT font) {
    font_ = font;
    if (hwnd()) redraw();
}

void CTransParentButton::onAttached() {
    // Whatever push-button type the template gave, it becomes owner-drawn.
    const auto style = static_cast<WPARAM>(GetWindowLongPtrW(hwnd(), GWL_STYLE));
    SendMessageW(hwnd(), BM_SETSTYLE, (style & 0xF4) | BS_OWNERDRAW, TRUE);
    redraw();
}

void CTransParentButton::enterState(TextButtonState state) {
    state_ = state;
    redraw();
}

void CTransParentButton::redraw() {
    if (!IsWindowVisible(hwnd())) return;
    win32::WindowDc dc(hwnd());
    if (!dc) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (backgroundDC_)
        BitBlt(dc.get(), 0, 0, client.right, client.bottom, backgroundDC_.get(), 0, 0, SRCCOPY);
    // The window DC is handed back at the end of this function, which
    // drops the selection with it.
    if (font_) SelectObject(dc.get(), font_);

    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size()))));
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    // Centred; a text wider than the button (a long shortcut, a text's start)
    // ends in an ellipsis at its right edge instead.
    int x = (client.right - extent.cx) / 2;
    int y = (client.bottom - extent.cy) / 2;

    if (!isEnabled_) {
        DrawStateW(dc.get(), nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()),
                   static_cast<WPARAM>(text.size()), x, y, 0, 0, DST_TEXT | DSS_DISABLED);
        return;
    }
    switch (state_) {
        case TextButtonState::Hot:
        case TextButtonState::Released:
            textColor_ = hotTextColor_;
            break;
        case TextButtonState::Pressed:
            textColor_ = normalTextColor_;
            ++x;
            ++y;
            break;
        case TextButtonState::Normal:
            textColor_ = normalTextColor_;
            break;
    }
    SetTextColor(dc.get(), textColor_);
    SetBkMode(dc.get(), TRANSPARENT);
    if (extent.cx <= client.right) {
        TextOutW(dc.get(), x, y, text.c_str(), static_cast<int>(text.size()));
        return;
    }
    const int shift = x - (client.right - extent.cx) / 2;  // the pressed look's pixel
    RECT line{shift, y, client.right + shift, y + extent.cy};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &line,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT CTransParentButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            // The first erase finds the skin the dialog painted under us.
            if (!haveBackground_) {
                RECT client{};
                GetClientRect(hwnd(), &client);
                auto dc = reinterpret_cast<HDC>(wParam);
                backgroundDC_ = win32::MemoryBitmapDc(dc, client.right, client.bottom);
                BitBlt(backgroundDC_.get(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
                haveBackground_ = true;
            }
            return TRUE;
        case WM_MOUSEMOVE:
            // While a button is held, nothing else lights up.
            if (wParam & MK_LBUTTON) return 0;
            if (!isHovering_ && isEnabled_) {
                isHovering_ = true;
                enterState(TextButtonState::Hot);
                SetTimer(hwnd(), kHoverTimerId, kHoverPollMs, nullptr);
            }
            break;
        case WM_TIMER: {
            if (wParam != kHoverTimerId) return 0;
            POINT cursor{};
            GetCursorPos(&cursor);
            RECT window{};
            GetWindowRect(hwnd(), &window);
            if (!PtInRect(&window, cursor) && isHovering_ && isEnabled_) {
                KillTimer(hwnd(), kHoverTimerId);
                isHovering_ = false;
                enterState(TextButtonState::Normal);
            }
            break;
        }
        case WM_LBUTTONDOWN:
            enterState(TextButtonState::Pressed);
            break;
        case WM_LBUTTONUP:
            enterState(TextButtonState::Released);
            break;
        case WM_SETCURSOR:
            if (cursorHandle_) {
                SetCursor(cursorHandle_);
                return TRUE;
            }
            break;
        case win32::reflected(WM_DRAWITEM): {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.itemState & ODS_DISABLED) {
                isEnabled_ = false;
                state_ = TextButtonState::Normal;
            } else {
                isEnabled_ = true;
            }
            redraw();
            return TRUE;
        }
        default:
            break;
    }
    return defaultProcessing(message, wParam, lParam);
}

}  // namespace vela
