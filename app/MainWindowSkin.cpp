// The main window's frame and skin: its colour-keyed shape, its layout at the
// display's scale, the skin and image buttons drawn for that scale, and the
// painting of the background the controls sit on.
#include "app/AppIdentity.h"
#include "app/MainWindow.h"
#include "controls/MemDC.h"
#include "controls/SkinImage.h"
#include "core/DpiScale.h"
#include "core/SkinLayout.h"
#include "resources/resource.h"
#include "win32/Dpi.h"
#include "win32/Rect.h"

namespace vela {

namespace {

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

// The darkest colour of the skin's edge: what a half-covered edge pixel of a
// resized skin is made opaque over.
constexpr COLORREF kSkinEdge = RGB(12, 14, 18);
// Where a face of the layout exists only as a bitmap font (Windows' own
// "System"), text takes this one, which every Windows version has.
constexpr wchar_t kScalableFace[] = L"Tahoma";

HFONT createFont(const SkinFontSpec& spec, int dpi) {
    return win32::createScaledFont(spec.face, spec.height, spec.width, spec.weight, dpi,
                                   kScalableFace);
}

// The window lays itself out at every DPI change; the system must not move
// or resize its controls as it does for other dialogs (Windows 10 1703 on).
void keepSystemOutOfTheLayout(HWND window) {
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    auto disable = reinterpret_cast<SetDialogDpiChangeBehaviorFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetDialogDpiChangeBehavior")));
    if (disable) disable(window, kDisableAll, kDisableAll);
}

}  // namespace

// Icons, title, and the borderless, colour-keyed frame of the skin.
void CVoZuzevArarozerudiDlg::setUpFrame() {
    bigIcon_.reset(static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    SetWindowTextW(hwnd(), kWindowTitle);

    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        auto setLayered = reinterpret_cast<SetLayeredWindowAttributesFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
        if (setLayered) setLayered(hwnd(), kColourKey, 255, LWA_COLORKEY);
    }
}

// The first layout, at the DPI of the monitor the window opens on; from then
// on the window alone lays itself out when that DPI changes.
void CVoZuzevArarozerudiDlg::layOutForItsMonitor() {
    keepSystemOutOfTheLayout(hwnd());
    layOut(win32::windowDpi(hwnd()));
}

// Every control at its place on the skin, the skin, the fonts and the image
// buttons, all at `dpi`: at 96 the skin's own pixels, at 192 twice as many.
void CVoZuzevArarozerudiDlg::layOut(int dpi) {
    dpi_ = dpi;
    const Size size = scaleToDpi(kSkinSize, dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    captionFont_.reset(createFont(kCaptionFont, dpi));
    labelFont_.reset(createFont(kLabelFont, dpi));
    for (const SkinPlace& place : kSkinLayout) {
        HWND child = item(place.control);
        if (!child) continue;
        const Rect r = scaleToDpi(place.rect, dpi);
        MoveWindow(child, r.left, r.top, r.width(), r.height(), FALSE);
        if (place.font == SkinFont::Label)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
    }
    for (CTransParentButton& caption : captions_) {
        caption.setFont(captionFont_.get());
        caption.forgetBackground();
    }

    const ImageChoice choice = chooseImage(dpi);
    CGdiPlusBitmapResource skinImage;
    skinImage.loadPng(choice.doubleSize ? IDP_SKIN_2X : IDP_SKIN, module_);
    skin_.reset(createSkinBitmap(skinImage, size, kColourKey, kSkinEdge));
    loadImageButtons(choice);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CVoZuzevArarozerudiDlg::loadImageButtons(const ImageChoice& choice) {
    auto saveImage = std::make_unique<CGdiPlusBitmapResource>();
    saveImage->loadPng(choice.doubleSize ? IDP_SAVE_AND_EXIT_2X : IDP_SAVE_AND_EXIT, module_);
    saveAndExitButton_.setImage(std::move(saveImage), choice.drawScale);
    auto closeImage = std::make_unique<CGdiPlusBitmapResource>();
    closeImage->loadPng(choice.doubleSize ? IDP_CLOSE_2X : IDP_CLOSE, module_);
    closeButton_.setImage(std::move(closeImage), choice.drawScale);
}

// The window moved to a monitor of another scale: laid out again for it, at
// the place the system suggests.
void CVoZuzevArarozerudiDlg::onDpiChanged(int dpi, const RECT& suggested) {
    if (dpi != dpi_) layOut(dpi);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVoZuzevArarozerudiDlg::centreOnScreen() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CVoZuzevArarozerudiDlg::onEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    CMemDC mem(dc, &client);
    FillRect(mem.dc(), &client, keyBrush_.get());
    if (skin_) {
        win32::UniqueDc source(CreateCompatibleDC(dc));
        win32::SelectObjectScope select(source.get(), skin_.get());
        BITMAP info{};
        GetObjectW(skin_.get(), sizeof(info), &info);
        BitBlt(mem.dc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
    // The image buttons blend their PNGs over exactly this picture.
    saveAndExitButton_.setBackground(mem.dc());
    closeButton_.setBackground(mem.dc());
    return TRUE;
}

void CVoZuzevArarozerudiDlg::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, bigIcon_.get());
    EndPaint(hwnd(), &ps);
}

}  // namespace vela
