// Owners of a GDI+ bitmap; the resource variant decodes an embedded PNG.
#pragma once

#include <windows.h>
// GDI+ needs the COM declarations that a lean <windows.h> leaves out.
#include <objidl.h>
//
#include <gdiplus.h>

#include <memory>

#include "win32/Handle.h"

namespace vela {

struct GdipImageDeleter {
    void operator()(Gdiplus::GpBitmap* bitmap) const {
        Gdiplus::DllExports::GdipDisposeImage(bitmap);
    }
};
using GdipBitmapPtr = std::unique_ptr<Gdiplus::GpBitmap, GdipImageDeleter>;

struct GdipGraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* graphics) const {
        Gdiplus::DllExports::GdipDeleteGraphics(graphics);
    }
};
using GdipGraphicsPtr = std::unique_ptr<Gdiplus::GpGraphics, GdipGraphicsDeleter>;

class CGdiPlusBitmap {
public:
    CGdiPlusBitmap() = default;
    virtual ~CGdiPlusBitmap() = default;
    CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
    CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;

    Gdiplus::GpBitmap* bitmap() const { return bitmap_.get(); }
    explicit operator bool() const { return bitmap_ != nullptr; }
    // The image's size in pixels; 0 x 0 without an image.
    UINT width() const;
    UINT height() const;

protected:
    GdipBitmapPtr bitmap_;
};

class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    CGdiPlusBitmapResource() = default;
    ~CGdiPlusBitmapResource() override { drop(); }

    // Decodes PNG resource `id` of `module` (the executable when null).
    bool loadPng(int id, HMODULE module = nullptr);

private:
    // The bitmap goes before the memory it was decoded from.
    void drop();

    win32::UniqueGlobal block_;  // GDI+ may read the stream lazily: kept while the bitmap lives
    bool locked_ = false;
};

}  // namespace vela
