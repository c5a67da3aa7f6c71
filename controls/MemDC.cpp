#include "controls/MemDC.h"

namespace vela {

CMemDC::CMemDC(HDC target, const RECT* area) : target_(target) {
    const bool noArea =
        !area || (area->left == 0 && area->top == 0 && area->right == 0 && area->bottom == 0);
    if (noArea) {
        GetClipBox(target, &area_);
    } else {
        area_ = *area;
    }
    offScreen_ = GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER;
    if (!offScreen_) return;
    dc_.reset(CreateCompatibleDC(target));
    bitmap_.reset(
        CreateCompatibleBitmap(target, area_.right - area_.left, area_.bottom - area_.top));
    if (!dc_ || !bitmap_) {
        // Without a surface of our own, draw straight to the target.
        offScreen_ = false;
        return;
    }
    previousBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    SetWindowOrgEx(dc_.get(), area_.left, area_.top, nullptr);
}

CMemDC::~CMemDC() {
    if (!offScreen_) return;
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
           dc_.get(), area_.left, area_.top, SRCCOPY);
    SelectObject(dc_.get(), previousBitmap_);
}

}  // namespace vela
