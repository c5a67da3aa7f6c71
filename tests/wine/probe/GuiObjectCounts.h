// How many GDI and USER objects this process holds.
//
// Windows answers GetGuiResources. Wine's GetGuiResources is a stub that says
// 0, so there the counts come from what Wine does expose: the GDI handle table
// it shares through the process environment block (as Windows does), and USER
// handles probed by index (Wine skips the generation check for a handle whose
// upper word is 0).
#pragma once

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace vela::probe {

struct GuiObjectCounts {
    long gdi = 0;
    long user = 0;
    bool fromSystem = false;  // true: GetGuiResources; false: counted here
};

namespace detail {

// One entry of the shared GDI handle table, 24 bytes on 64-bit.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiMaxHandles = 0x10000;

inline long countSharedGdiHandles() {
    // GdiSharedHandleTable sits at offset 0xF8 of the 64-bit PEB.
    using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), 0, &basic, sizeof(basic), nullptr) != 0) return -1;
    const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0xF8);
    if (!table) return -1;
    long n = 0;
    for (std::size_t i = 0; i < kGdiMaxHandles; ++i) {
        if (table[i].type != 0 && (table[i].unique & 0x80) == 0) ++n;  // skip stock objects
    }
    return n;
}

inline bool isIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

inline long countUserHandles() {
    constexpr std::uintptr_t kFirstUserHandle = 0x0020;
    constexpr std::uintptr_t kUserHandleCount = 0x8000;
    long n = 0;
    for (std::uintptr_t i = 0; i < kUserHandleCount; ++i) {
        const std::uintptr_t value = kFirstUserHandle + (i << 1);
        if (IsWindow(reinterpret_cast<HWND>(value)) || IsMenu(reinterpret_cast<HMENU>(value)) ||
            isIcon(reinterpret_cast<HICON>(value)))
            ++n;
    }
    return n;
}

}  // namespace detail

inline GuiObjectCounts guiObjectCounts() {
    const HANDLE self = GetCurrentProcess();
    GuiObjectCounts c;
    c.gdi = static_cast<long>(GetGuiResources(self, GR_GDIOBJECTS));
    c.user = static_cast<long>(GetGuiResources(self, GR_USEROBJECTS));
    if (c.gdi != 0 || c.user != 0) {
        c.fromSystem = true;
        return c;
    }
    c.gdi = detail::countSharedGdiHandles();
    c.user = detail::countUserHandles();
    return c;
}

}  // namespace vela::probe
