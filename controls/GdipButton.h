// A push button that shows a PNG with transparency over a copy of whatever
// lies behind it. Its three looks (normal, pressed, hovered) are rendered once
// and from then on only copied.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "controls/GdiPlusBitmap.h"
#include "win32/Handle.h"
#include "win32/SubclassedControl.h"

namespace vela {

// Slightly brighter: each colour channel times 1.05 plus 5 % of full scale,
// alpha unchanged. Rows in order, applied to (r, g, b, a, 1).
inline constexpr std::array<std::array<float, 5>, 5> HotMatrix{{
    {1.05f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0.0f, 1.05f, 0.0f, 0.0f, 0.0f},
    {0.0f, 0.0f, 1.05f, 0.0f, 0.0f},
    {0.0f, 0.0f, 0.0f, 1.0f, 0.0f},
    {0.05f, 0.05f, 0.05f, 0.0f, 1.0f},
}};

class CGdipButton : public win32::SubclassedControl {
public:
    enum class Look { None, Normal, Pressed, Hot };

    // Gives the button its picture, drawn `drawScale` times its pixel size;
    // the button owns it from now on and renders its looks again.
    void setImage(std::unique_ptr<CGdiPlusBitmapResource> image, double drawScale = 1.0);
    // Replaces the copy of what lies behind the button with the part of `dc`
    // (in the parent's client coordinates) under it.
    void setBackground(HDC dc);

    bool haveStateImages() const { return haveStateImages_; }
    Look currentLook() const { return currentDC_; }

protected:
    void onAttached() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void buildStateImages(HDC requestDc);
    void paintBackground(HDC dc, const RECT& client) const;
    void drawItem(const DRAWITEMSTRUCT& item);
    RECT clientRect() const;
    win32::MemoryBitmapDc copyOf(HDC dc, const RECT& client) const;
    const win32::MemoryBitmapDc& rendering(Look look) const;

    std::unique_ptr<CGdiPlusBitmapResource> stdImage_;
    double drawScale_ = 1.0;
    win32::MemoryBitmapDc backgroundDC_;
    win32::MemoryBitmapDc normalDC_;
    win32::MemoryBitmapDc pressedDC_;
    win32::MemoryBitmapDc hotDC_;
    Look currentDC_ = Look::None;
    bool haveStateImages_ = false;
    bool isHovering_ = false;
    bool isTracking_ = false;
};

}  // namespace vela
