#include "controls/GdipButton.h"

#include <commctrl.h>

#include "controls/MemDC.h"
#include "win32/Dialog.h"

namespace vela {

using namespace Gdiplus;

namespace {

struct DisposeAttributes {
    void operator()(GpImageAttributes* a) const { DllExports::GdipDisposeImageAttributes(a); }
};

ColorMatrix hotColorMatrix() {
    ColorMatrix m{};
    for (std::size_t r = 0; r < 5; ++r)
        for (std::size_t c = 0; c < 5; ++c) m.m[r][c] = HotMatrix[r][c];
    return m;
}

}  // namespace

void CGdipButton::onAttached() {
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style | BS_OWNERDRAW);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

RECT CGdipButton::clientRect() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return r;
}

win32::MemoryBitmapDc CGdipButton::copyOf(HDC dc, const RECT& client) const {
    win32::MemoryBitmapDc copy(dc, client.right, client.bottom);
    BitBlt(copy.get(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    return copy;
}

void CGdipButton::setBackground(HDC dc) {
    const RECT client = clientRect();
    RECT window{};
    GetWindowRect(hwnd(), &window);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&window), 2);
    backgroundDC_ = win32::MemoryBitmapDc();
    backgroundDC_ = win32::MemoryBitmapDc(dc, client.right, client.bottom);
    BitBlt(backgroundDC_.get(), 0, 0, client.right, client.bottom, dc, window.left, window.top,
           SRCCOPY);
}

void CGdipButton::setImage(std::unique_ptr<CGdiPlusBitmapResource> image, double drawScale) {
    stdImage_ = std::move(image);
    drawScale_ = drawScale > 0 ? drawScale : 1.0;
    // Looks rendered from the old picture, and the background taken at the
    // old size and place, are stale.
    backgroundDC_ = {};
    normalDC_ = {};
    pressedDC_ = {};
    hotDC_ = {};
    haveStateImages_ = false;
    if (currentDC_ != Look::None) currentDC_ = Look::Normal;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CGdipButton::paintBackground(HDC dc, const RECT& client) const {
    BitBlt(dc, 0, 0, client.right, client.bottom, backgroundDC_.get(), 0, 0, SRCCOPY);
}

void CGdipButton::buildStateImages(HDC requestDc) {
    if (haveStateImages_ || !stdImage_) return;
    const RECT client = clientRect();
    CMemDC mem(requestDc, &client);
    GpGraphics* rawGraphics = nullptr;
    DllExports::GdipCreateFromHDC(mem.dc(), &rawGraphics);
    GdipGraphicsPtr graphics(rawGraphics);

    if (!backgroundDC_) {
        HWND parent = GetParent(hwnd());
        win32::WindowDc parentDc(parent);
        setBackground(parentDc.get());
    }

    // The image keeps its own pixel size times the draw scale: a larger one is
    // cut at the button's edge, a smaller one leaves the background showing.
    const INT w = static_cast<INT>(stdImage_->width() * drawScale_ + 0.5);
    const INT h = static_cast<INT>(stdImage_->height() * drawScale_ + 0.5);
    if (graphics && drawScale_ != 1.0) {
        DllExports::GdipSetInterpolationMode(graphics.get(), InterpolationModeHighQualityBicubic);
        DllExports::GdipSetPixelOffsetMode(graphics.get(), PixelOffsetModeHalf);
    }
    auto drawPlain = [&] {
        if (graphics && *stdImage_)
            DllExports::GdipDrawImageRectI(graphics.get(), stdImage_->bitmap(), 0, 0, w, h);
    };

    if (!normalDC_) {
        paintBackground(mem.dc(), client);
        drawPlain();
        DllExports::GdipFlush(graphics.get(), FlushIntentionSync);
        normalDC_ = copyOf(mem.dc(), client);
    }
    if (!pressedDC_) {
        paintBackground(mem.dc(), client);
        drawPlain();
        DllExports::GdipFlush(graphics.get(), FlushIntentionSync);
        pressedDC_ = copyOf(mem.dc(), client);
    }
    if (!hotDC_) {
        paintBackground(mem.dc(), client);
        GpImageAttributes* rawAttributes = nullptr;
        DllExports::GdipCreateImageAttributes(&rawAttributes);
        std::unique_ptr<GpImageAttributes, DisposeAttributes> attributes(rawAttributes);
        if (graphics && attributes && *stdImage_) {
            const ColorMatrix matrix = hotColorMatrix();
            DllExports::GdipSetImageAttributesColorMatrix(attributes.get(), ColorAdjustTypeDefault,
                                                          TRUE, &matrix, nullptr,
                                                          ColorMatrixFlagsDefault);
            DllExports::GdipDrawImageRectRectI(graphics.get(), stdImage_->bitmap(), 0, 0, w, h, 0,
                                               0, static_cast<INT>(stdImage_->width()),
                                               static_cast<INT>(stdImage_->height()), UnitPixel,
                                               attributes.get(), nullptr, nullptr);
            DllExports::GdipFlush(graphics.get(), FlushIntentionSync);
        }
        hotDC_ = copyOf(mem.dc(), client);
    }
    if (currentDC_ == Look::None) currentDC_ = Look::Normal;
    haveStateImages_ = true;
}

const win32::MemoryBitmapDc& CGdipButton::rendering(Look look) const {
    switch (look) {
        case Look::Pressed:
            return pressedDC_;
        case Look::Hot:
            return hotDC_;
        default:
            return normalDC_;
    }
}

void CGdipButton::drawItem(const DRAWITEMSTRUCT& item) {
    // Some systems paint owner-drawn buttons without asking the parent for a
    // colour first; the renderings are then built on the first draw.
    if (!haveStateImages_) buildStateImages(item.hDC);
    if (item.itemState & ODS_SELECTED) {
        currentDC_ = Look::Pressed;
    } else if (isHovering_) {
        currentDC_ = Look::Hot;
    } else {
        currentDC_ = Look::Normal;
    }
    const win32::MemoryBitmapDc& source = rendering(currentDC_);
    if (!source) return;
    const RECT client = clientRect();
    BitBlt(item.hDC, 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
}

LRESULT CGdipButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case win32::reflected(WM_CTLCOLORBTN):
            buildStateImages(reinterpret_cast<HDC>(wParam));
            return 0;
        case win32::reflected(WM_DRAWITEM):
            drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_MOUSEMOVE:
            if (!isTracking_) {
                TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, hwnd(), 1};
                isTracking_ = _TrackMouseEvent(&track) != FALSE;
            }
            break;
        case WM_MOUSEHOVER:
            isHovering_ = true;
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        case WM_MOUSELEAVE:
            isTracking_ = false;
            isHovering_ = false;
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        case WM_LBUTTONDBLCLK:
            // A quick second click is an ordinary press, so it clicks again.
            return defaultProcessing(WM_LBUTTONDOWN, wParam, lParam);
        default:
            break;
    }
    return defaultProcessing(message, wParam, lParam);
}

}  // namespace vela
