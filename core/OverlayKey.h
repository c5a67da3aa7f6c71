// What an overlay is for: the program in front (a profile) or a button held
// (a layer). Another kind of key (a window's class or title) is another
// alternative here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/SlotTable.h"

namespace vela {

struct ProgramKey {
    std::wstring program;  // the program's file name as shown, "notepad.exe"
};

struct LayerKey {
    Slot button;
};

using OverlayKey = std::variant<ProgramKey, LayerKey>;

// File names compare as the file system does: without regard to case. Names
// that differ only by blanks at their ends share a section of the settings
// file, so they are one program's too.
bool sameProgram(std::wstring_view a, std::wstring_view b);

bool sameKey(const OverlayKey& a, const OverlayKey& b);

// The program a profile is for, or nullptr for another kind of overlay.
const std::wstring* programOf(const OverlayKey& key);
// The button a layer is for, or none for another kind of overlay.
std::optional<Slot> buttonOf(const OverlayKey& key);

// What the window's profile caption shows for it: "notepad.exe", "While Back
// Held".
std::wstring overlayName(const OverlayKey& key);

}  // namespace vela
