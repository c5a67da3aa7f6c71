#include "controls/GdiPlusBitmap.h"

#include <cstring>

namespace vela {

using namespace Gdiplus;

namespace {
struct ReleaseStream {
    void operator()(IStream* stream) const { stream->Release(); }
};
}  // namespace

UINT CGdiPlusBitmap::width() const {
    UINT w = 0;
    if (bitmap_) DllExports::GdipGetImageWidth(bitmap_.get(), &w);
    return w;
}

UINT CGdiPlusBitmap::height() const {
    UINT h = 0;
    if (bitmap_) DllExports::GdipGetImageHeight(bitmap_.get(), &h);
    return h;
}

void CGdiPlusBitmapResource::drop() {
    bitmap_.reset();
    if (block_ && locked_) GlobalUnlock(block_.get());
    locked_ = false;
    block_.reset();
}

bool CGdiPlusBitmapResource::loadPng(int id, HMODULE module) {
    drop();
    if (!module) module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!found) return false;
    const DWORD size = SizeofResource(module, found);
    if (size == 0) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;

    block_.reset(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block_) return false;
    void* copy = GlobalLock(block_.get());
    if (!copy) {
        block_.reset();
        return false;
    }
    locked_ = true;
    std::memcpy(copy, bytes, size);

    IStream* rawStream = nullptr;
    if (CreateStreamOnHGlobal(block_.get(), FALSE, &rawStream) != S_OK || !rawStream) {
        drop();
        return false;
    }
    std::unique_ptr<IStream, ReleaseStream> stream(rawStream);
    GpBitmap* decoded = nullptr;
    const GpStatus status = DllExports::GdipCreateBitmapFromStream(stream.get(), &decoded);
    bitmap_.reset(decoded);
    stream.reset();
    if (status != Ok || !bitmap_) {
        drop();
        return false;
    }
    return true;
}

}  // namespace vela
