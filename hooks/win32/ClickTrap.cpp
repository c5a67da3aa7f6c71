// One slot's hook library: a thin facade over VelaHooks.dll. The build
// compiles this file once per slot with the suffix of its export names and its
// file name; everything else comes from the slot table, and the checks below
// refuse to build a library whose names disagree with the table.
#include <windows.h>

#include <string_view>

#include "core/SlotTable.h"
#include "hooks/win32/HookEngine.h"

#ifndef VELA_TRAP_SUFFIX
#error "VELA_TRAP_SUFFIX (export name suffix) must be defined by the build"
#endif
#ifndef VELA_TRAP_FILE
#error "VELA_TRAP_FILE (library file name without .dll) must be defined by the build"
#endif

#define VELA_CAT2(a, b) a##b
#define VELA_CAT(a, b) VELA_CAT2(a, b)
#define VELA_STR2(a) #a
#define VELA_STR(a) VELA_STR2(a)

#define VELA_INSTALL VELA_CAT(installhook_, VELA_TRAP_SUFFIX)
#define VELA_REMOVE VELA_CAT(unstallhook_, VELA_TRAP_SUFFIX)

namespace {

constexpr int rowByInstallFunction(std::string_view name) {
    for (std::size_t i = 0; i < vela::kSlotTable.size(); ++i) {
        if (vela::kSlotTable[i].installFunction == name) return static_cast<int>(i);
    }
    return -1;
}

// Narrow file stem against the table's wide library name.
constexpr bool sameLibrary(std::wstring_view library, std::string_view stem) {
    constexpr std::wstring_view kExtension = L".dll";
    if (library.size() != stem.size() + kExtension.size()) return false;
    for (std::size_t i = 0; i < stem.size(); ++i) {
        if (library[i] != static_cast<wchar_t>(stem[i])) return false;
    }
    return library.substr(stem.size()) == kExtension;
}

constexpr int kRow = rowByInstallFunction(VELA_STR(VELA_INSTALL));
static_assert(kRow >= 0, "no slot in the table has this install function");
constexpr const vela::SlotInfo& kSlot = vela::kSlotTable[kRow];
static_assert(kSlot.removeFunction == VELA_STR(VELA_REMOVE),
              "remove function name disagrees with the slot table");
static_assert(sameLibrary(kSlot.hookLibrary, VELA_STR(VELA_TRAP_FILE)),
              "library file name disagrees with the slot table");

constexpr int kSlotNumber = vela::number(kSlot.slot);

}  // namespace

extern "C" __declspec(dllexport) int VELA_INSTALL(HWND window) {
    return vela_hook_install(kSlotNumber, window);
}

extern "C" __declspec(dllexport) int VELA_REMOVE(HWND window) {
    return vela_hook_remove(kSlotNumber, window);
}
