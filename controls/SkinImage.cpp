#include "controls/SkinImage.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/DpiScale.h"

namespace vela {

using namespace Gdiplus;

namespace {

// `image` at `size`, premultiplied; a copy even at its own size, so the
// caller always owns what it locks.
GdipBitmapPtr resample(GpBitmap* image, Size size) {
    GpBitmap* raw = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(size.width, size.height, 0, PixelFormat32bppPARGB,
                                              nullptr, &raw) != Ok)
        return nullptr;
    GdipBitmapPtr target(raw);
    GpGraphics* rawGraphics = nullptr;
    if (DllExports::GdipGetImageGraphicsContext(target.get(), &rawGraphics) != Ok) return nullptr;
    GdipGraphicsPtr graphics(rawGraphics);
    DllExports::GdipSetCompositingMode(graphics.get(), CompositingModeSourceCopy);
    UINT width = 0;
    UINT height = 0;
    DllExports::GdipGetImageWidth(image, &width);
    DllExports::GdipGetImageHeight(image, &height);
    const bool sameSize =
        static_cast<INT>(width) == size.width && static_cast<INT>(height) == size.height;
    // At its own size every pixel is copied as it is; resized, each one is
    // taken from the pixels it covers.
    DllExports::GdipSetInterpolationMode(graphics.get(), sameSize
                                                             ? InterpolationModeNearestNeighbor
                                                             : InterpolationModeHighQualityBicubic);
    DllExports::GdipSetPixelOffsetMode(graphics.get(), PixelOffsetModeHalf);
    if (DllExports::GdipDrawImageRectI(graphics.get(), image, 0, 0, size.width, size.height) != Ok)
        return nullptr;
    return target;
}

std::uint8_t over(std::uint32_t premultiplied, std::uint32_t alpha, std::uint32_t background) {
    return static_cast<std::uint8_t>(
        std::min<std::uint32_t>(255, premultiplied + (255 - alpha) * background / 255));
}

}  // namespace

ImageChoice chooseImage(int dpi) {
    if (dpi <= kBaseDpi) return {false, static_cast<double>(dpi > 0 ? dpi : kBaseDpi) / kBaseDpi};
    return {true, static_cast<double>(dpi) / (2 * kBaseDpi)};
}

HBITMAP createSkinBitmap(const CGdiPlusBitmap& image, Size size, COLORREF key, COLORREF edge) {
    if (!image || size.width <= 0 || size.height <= 0) return nullptr;
    GdipBitmapPtr scaled = resample(image.bitmap(), size);
    if (!scaled) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;  // top-down, as GDI+ hands the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }

    const GpRect area(0, 0, size.width, size.height);
    BitmapData data{};
    if (DllExports::GdipBitmapLockBits(scaled.get(), &area, ImageLockModeRead,
                                       PixelFormat32bppPARGB, &data) != Ok) {
        DeleteObject(bitmap);
        return nullptr;
    }
    const std::uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < size.height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(data.Scan0) +
                                                   static_cast<std::ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < size.width; ++x) {
            const std::uint32_t p = row[x];
            const std::uint32_t a = p >> 24;
            std::uint32_t& q = out[static_cast<std::ptrdiff_t>(y) * size.width + x];
            if (a < 128) {
                q = keyPixel;
                continue;
            }
            q = (static_cast<std::uint32_t>(over((p >> 16) & 0xFF, a, GetRValue(edge))) << 16) |
                (static_cast<std::uint32_t>(over((p >> 8) & 0xFF, a, GetGValue(edge))) << 8) |
                over(p & 0xFF, a, GetBValue(edge));
            // An opaque pixel that comes out as the key itself would be a hole.
            if (q == keyPixel) q ^= 1;
        }
    }
    DllExports::GdipBitmapUnlockBits(scaled.get(), &data);
    GdiFlush();
    return bitmap;
}

}  // namespace vela
