// controls: the skinned controls on a real window, checked pixel by pixel,
// with the way they answer the mouse. Logs "PASS name" or "FAIL name detail"
// per check; the exit status is the number of failed checks.
#include <windows.h>
// (first: the GDI+ headers need it)
#include <objidl.h>
//
#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "controls/GdiPlusBitmap.h"
#include "controls/GdipButton.h"
#include "controls/MemDC.h"
#include "controls/TransParentButton.h"
#include "resources/resource.h"
#include "tests/wine/probe/Probe.h"
#include "win32/Dialog.h"
#include "win32/Handle.h"

namespace vela::probe {

namespace {

using vela::CGdipButton;
using vela::CTransParentButton;
using vela::TextButtonState;

constexpr COLORREF kBackground = RGB(10, 20, 30);
constexpr COLORREF kNormalText = RGB(200, 200, 200);
constexpr COLORREF kHotText = RGB(255, 255, 254);
constexpr int kTestDialog = 200;
constexpr int kMissingImageButton = 1001;
constexpr int kCaptionButton = 1000;

EventLog* gControlsLog = nullptr;
int gFailures = 0;

void check(const char* name, bool ok, const std::string& detail = {}) {
    if (ok) {
        gControlsLog->line("PASS %s", name);
    } else {
        ++gFailures;
        gControlsLog->line("FAIL %s %s", name, detail.c_str());
    }
}

std::string colour(COLORREF c) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

void checkColour(const char* name, COLORREF got, COLORREF want) {
    check(name, got == want, "got " + colour(got) + " want " + colour(want));
}

COLORREF pixelOf(HWND window, int x, int y) {
    vela::win32::WindowDc dc(window);
    return GetPixel(dc.get(), x, y);
}

bool anyPixel(HWND window, COLORREF wanted) {
    RECT r{};
    GetClientRect(window, &r);
    vela::win32::WindowDc dc(window);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (GetPixel(dc.get(), x, y) == wanted) return true;
    return false;
}

void repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// ---- No window needed ---------------------------------------------------------

void memDcCopiesItsAreaOnRelease() {
    HDC screen = GetDC(nullptr);
    vela::win32::MemoryBitmapDc target(screen, 100, 100);
    ReleaseDC(nullptr, screen);
    vela::win32::UniqueGdi<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
    RECT all{0, 0, 100, 100};
    FillRect(target.get(), &all, white.get());
    {
        RECT area{10, 20, 60, 70};
        vela::CMemDC mem(target.get(), &area);
        vela::win32::UniqueGdi<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
        RECT blob{10, 20, 20, 30};  // in the target's coordinates
        FillRect(mem.dc(), &blob, red.get());
        checkColour("memdc_draws_offscreen_until_released", GetPixel(target.get(), 15, 25),
                    RGB(255, 255, 255));
    }
    checkColour("memdc_lands_at_target_coordinates", GetPixel(target.get(), 15, 25),
                RGB(255, 0, 0));
    checkColour("memdc_leaves_outside_alone", GetPixel(target.get(), 5, 5), RGB(255, 255, 255));
    checkColour("memdc_leaves_right_of_area_alone", GetPixel(target.get(), 65, 25),
                RGB(255, 255, 255));
}

void pngResourcesLoadOrFailCleanly() {
    vela::CGdiPlusBitmapResource cross;
    check("png_loads", cross.loadPng(IDP_CLOSE));
    check("png_size", cross.width() == 16 && cross.height() == 17,
          std::to_string(cross.width()) + "x" + std::to_string(cross.height()));
    check("png_reload_replaces", cross.loadPng(IDP_SAVE_AND_EXIT) && cross.width() == 220);
    vela::CGdiPlusBitmapResource missing;
    check("png_missing_fails", !missing.loadPng(999) && !missing);
    vela::CGdiPlusBitmapResource garbage;
    check("png_undecodable_fails", !garbage.loadPng(900) && !garbage);
    check("png_failure_drops_old_image", !cross.loadPng(900) && !cross && cross.width() == 0);
}

// ---- On a window ----------------------------------------------------------------

class TestDialog final : public vela::win32::Dialog {
public:
    int clicksOnImageButton = 0;

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_INITDIALOG:
                image_.attach(hwnd(), IDC_SAVE_AND_EXIT);
                missing_.attach(hwnd(), kMissingImageButton);
                caption_.attach(hwnd(), kCaptionButton);
                caption_.setColours(kNormalText, kHotText);
                image_.setImage(load(IDP_CLOSE));
                missing_.setImage(load(999));
                PostMessageW(hwnd(), WM_APP, 0, 0);
                return TRUE;
            case WM_ERASEBKGND: {
                auto dc = reinterpret_cast<HDC>(wParam);
                RECT r{};
                GetClientRect(hwnd(), &r);
                vela::win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(kBackground));
                FillRect(dc, &r, brush.get());
                image_.setBackground(dc);
                missing_.setBackground(dc);
                return TRUE;
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == IDC_SAVE_AND_EXIT && HIWORD(wParam) == BN_CLICKED)
                    ++clicksOnImageButton;
                return 0;
            case WM_APP:
                runChecks();
                endModal(gFailures);
                return 0;
            default:
                return Dialog::handleMessage(message, wParam, lParam);
        }
    }

private:
    static std::unique_ptr<vela::CGdiPlusBitmapResource> load(int id) {
        auto image = std::make_unique<vela::CGdiPlusBitmapResource>();
        image->loadPng(id);
        return image;
    }

    void runChecks() {
        repaint(hwnd());
        HWND image = image_.hwnd();
        check("image_button_renderings_built", image_.haveStateImages());
        checkColour("image_transparent_corner_shows_background", pixelOf(image, 0, 0), kBackground);
        checkColour("image_smaller_than_button_leaves_background", pixelOf(image, 40, 20),
                    kBackground);
        const COLORREF normal = pixelOf(image, 8, 8);
        check("image_cross_drawn", GetRValue(normal) > 150, colour(normal));

        SendMessageW(image, WM_MOUSEHOVER, 0, 0);
        repaint(image);
        const COLORREF hot = pixelOf(image, 8, 8);
        check("hover_is_brighter",
              GetRValue(hot) > GetRValue(normal) && GetGValue(hot) > GetGValue(normal) &&
                  GetBValue(hot) >= GetBValue(normal),
              colour(hot) + " vs " + colour(normal));
        checkColour("hover_leaves_transparent_pixels_alone", pixelOf(image, 0, 0), kBackground);
        check("hover_look_chosen", image_.currentLook() == CGdipButton::Look::Hot);

        SendMessageW(image, WM_MOUSELEAVE, 0, 0);
        repaint(image);
        checkColour("leave_restores_normal", pixelOf(image, 8, 8), normal);

        SendMessageW(image, BM_SETSTATE, TRUE, 0);
        repaint(image);
        check("pressed_look_chosen", image_.currentLook() == CGdipButton::Look::Pressed);
        checkColour("pressed_looks_like_normal", pixelOf(image, 8, 8), normal);
        SendMessageW(image, BM_SETSTATE, FALSE, 0);

        checkColour("missing_image_shows_background", pixelOf(missing_.hwnd(), 8, 8), kBackground);

        // Press, release, double-click, release: two clicks.
        const LPARAM inside = MAKELPARAM(5, 5);
        SendMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, inside);
        SendMessageW(image, WM_LBUTTONUP, 0, inside);
        SendMessageW(image, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
        SendMessageW(image, WM_LBUTTONUP, 0, inside);
        check("double_click_is_two_clicks", clicksOnImageButton == 2,
              std::to_string(clicksOnImageButton));

        captionChecks();
    }

    void captionChecks() {
        HWND caption = caption_.hwnd();
        check("caption_starts_normal", caption_.state() == TextButtonState::Normal);
        check("caption_normal_text_drawn",
              anyPixel(caption, kNormalText) && !anyPixel(caption, kHotText));

        SendMessageW(caption, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 3));
        check("held_button_does_not_light_up", caption_.state() == TextButtonState::Normal);

        SendMessageW(caption, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        check("hover_makes_hot", caption_.state() == TextButtonState::Hot);
        check("hot_text_colour", caption_.textColor() == kHotText, colour(caption_.textColor()));
        check("hot_text_drawn", anyPixel(caption, kHotText));

        SendMessageW(caption, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        check("press_state", caption_.state() == TextButtonState::Pressed);
        check("press_text_colour", caption_.textColor() == kNormalText);
        SendMessageW(caption, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        check("release_state", caption_.state() == TextButtonState::Released);
        check("release_text_colour", caption_.textColor() == kHotText);
        ReleaseCapture();

        // The poll finds the cursor elsewhere: back to normal.
        SetCursorPos(1200, 1000);
        SendMessageW(caption, WM_TIMER, CTransParentButton::kHoverTimerId, 0);
        check("leaving_restores_normal", caption_.state() == TextButtonState::Normal);
        check("leaving_redraws_normal_colour",
              anyPixel(caption, kNormalText) && !anyPixel(caption, kHotText));
        // Another timer id changes nothing.
        SendMessageW(caption, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        SendMessageW(caption, WM_TIMER, 99, 0);
        check("other_timer_ignored", caption_.state() == TextButtonState::Hot);
        SendMessageW(caption, WM_TIMER, CTransParentButton::kHoverTimerId, 0);

        EnableWindow(caption, FALSE);
        repaint(caption);
        SendMessageW(caption, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        check("disabled_never_hot", caption_.state() == TextButtonState::Normal);
        check("disabled_text_is_not_coloured",
              !anyPixel(caption, kNormalText) && !anyPixel(caption, kHotText));
    }

    CGdipButton image_;
    CGdipButton missing_;
    CTransParentButton caption_;
};

}  // namespace

int controls(HINSTANCE module, const Args&, EventLog& log) {
    gControlsLog = &log;
    gFailures = 0;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    memDcCopiesItsAreaOnRelease();
    pngResourcesLoadOrFailCleanly();
    TestDialog dialog;
    if (dialog.runModal(module, kTestDialog, nullptr) < 0) check("test_dialog_created", false);

    Gdiplus::GdiplusShutdown(token);
    gControlsLog->line("failures %d", gFailures);
    return gFailures;
}

}  // namespace vela::probe
