// HookPort over the nine hook libraries beside the executable.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/Ports.h"
#include "win32/Handle.h"

namespace vela::win32 {

// Loads every slot's library once, from the executable's folder (never from
// the search path), and calls its install and remove functions, found by the
// names in the slot table, with the main window. A library or function that is
// missing makes that slot's calls do nothing, like any other failed platform
// call.
class Win32HookPort final : public HookPort {
public:
    // `folder` holds the libraries; empty means the executable's own folder.
    explicit Win32HookPort(HWND window, const std::wstring& folder = {});

    void install(Slot slot) override;
    void remove(Slot slot) override;

    void setWindow(HWND window) { window_ = window; }
    // Whether the slot's library and both its functions were found.
    bool loaded(Slot slot) const;

private:
    using HookFunction = int(__cdecl*)(HWND);
    struct Library {
        UniqueModule module;
        HookFunction install = nullptr;
        HookFunction remove = nullptr;
    };

    HWND window_;
    std::array<Library, kSlotPositions> libraries_;
};

}  // namespace vela::win32
