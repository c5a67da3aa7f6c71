// RAII owners for the kernel and GDI handles Vela keeps.
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

inline void closeHandle(HANDLE h) { CloseHandle(h); }
inline void deleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void freeLibrary(HMODULE h) { FreeLibrary(h); }

using UniqueHandle = Owned<HANDLE, closeHandle>;
using UniqueModule = Owned<HMODULE, freeLibrary>;
template <typename T>
using UniqueGdi = Owned<T, [](T h) { DeleteObject(h); }>;

}  // namespace vela::win32
