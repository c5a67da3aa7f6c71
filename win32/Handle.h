// RAII owners for the kernel, window and GDI handles Vela keeps.
#pragma once

#include <windows.h>

#include <utility>

namespace vela::win32 {

// Owns a handle and releases it with `Close` when it goes out of scope.
template <typename H, auto Close, H Invalid = H{}>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, Invalid)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(std::exchange(other.h_, Invalid));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid; }
    H release() { return std::exchange(h_, Invalid); }
    void reset(H h = Invalid) {
        if (h_ != Invalid) Close(h_);
        h_ = h;
    }

private:
    H h_ = Invalid;
};

inline void closeHandle(HANDLE h) {
    CloseHandle(h);
}
inline void deleteGdiObject(HGDIOBJ h) {
    DeleteObject(h);
}
inline void freeLibrary(HMODULE h) {
    FreeLibrary(h);
}
inline void deleteDc(HDC h) {
    DeleteDC(h);
}
inline void destroyIcon(HICON h) {
    DestroyIcon(h);
}
inline void destroyMenu(HMENU h) {
    DestroyMenu(h);
}
inline void freeGlobal(HGLOBAL h) {
    GlobalFree(h);
}
inline void destroyWindow(HWND h) {
    DestroyWindow(h);
}
inline void unhookWindowsHook(HHOOK h) {
    UnhookWindowsHookEx(h);
}
inline void unhookWinEvent(HWINEVENTHOOK h) {
    UnhookWinEvent(h);
}

using UniqueHandle = Owned<HANDLE, closeHandle>;
using UniqueModule = Owned<HMODULE, freeLibrary>;
// A named deleter rather than a lambda: a lambda's type would differ between
// translation units and make every class holding one an ODR hazard.
template <typename T>
inline void deleteGdi(T h) {
    DeleteObject(h);
}
template <typename T>
using UniqueGdi = Owned<T, deleteGdi<T>>;
using UniqueDc = Owned<HDC, deleteDc>;         // from CreateCompatibleDC
using UniqueIcon = Owned<HICON, destroyIcon>;  // from LoadImage without LR_SHARED
using UniqueMenu = Owned<HMENU, destroyMenu>;
using UniqueGlobal = Owned<HGLOBAL, freeGlobal>;
using UniqueWindow = Owned<HWND, destroyWindow>;
using UniqueHook = Owned<HHOOK, unhookWindowsHook>;               // from SetWindowsHookEx
using UniqueWinEventHook = Owned<HWINEVENTHOOK, unhookWinEvent>;  // from SetWinEventHook

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a context and puts the previous one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectObjectScope() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory context with its own bitmap selected for its whole life: the
// off-screen copies the skinned controls keep.
class MemoryBitmapDc {
public:
    MemoryBitmapDc() = default;
    // Compatible with `like`, `width` x `height` pixels, content undefined.
    MemoryBitmapDc(HDC like, int width, int height)
        : dc_(CreateCompatibleDC(like)),
          bitmap_(CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1)),
          width_(width),
          height_(height) {
        if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~MemoryBitmapDc() { unselect(); }
    MemoryBitmapDc(MemoryBitmapDc&& other) noexcept { *this = std::move(other); }
    MemoryBitmapDc& operator=(MemoryBitmapDc&& other) noexcept {
        if (this != &other) {
            unselect();
            dc_ = std::move(other.dc_);
            bitmap_ = std::move(other.bitmap_);
            previous_ = std::exchange(other.previous_, nullptr);
            width_ = other.width_;
            height_ = other.height_;
        }
        return *this;
    }

    HDC get() const { return dc_.get(); }
    explicit operator bool() const { return dc_ && bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    // The bitmap must leave the context before either is deleted.
    void unselect() {
        if (dc_ && previous_) SelectObject(dc_.get(), previous_);
        previous_ = nullptr;
    }

    UniqueDc dc_;
    UniqueGdi<HBITMAP> bitmap_;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace vela::win32
