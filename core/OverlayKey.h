// What an overlay is for: the program in front or some of its windows (a
// profile), or a button held (a layer).
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

// A window profile: the windows it is for, named by any of their program's
// file name, their class and their title. The title is a pattern: '*' stands
// for any run of characters, '?' for any one. All three compare without
// regard to case, as the system compares names; an empty one names any.
// Class or title is named (a program alone is a ProgramKey).
struct WindowKey {
    std::wstring program;
    std::wstring windowClass = {};
    std::wstring title = {};
};

using OverlayKey = std::variant<ProgramKey, LayerKey, WindowKey>;

// What a profile is matched against: the window in front, or the one under
// the pointer.
struct WindowIdentity {
    std::wstring program;
    std::wstring windowClass = {};
    std::wstring title = {};
    bool operator==(const WindowIdentity&) const = default;
};

// Whether `text` is what `pattern` spells, '*' and '?' as above.
bool matchesPattern(std::wstring_view pattern, std::wstring_view text);

// Whether a profile's key takes `window`: 0 when it does not (a layer never
// does), else how specific it is, the number of parts it names (program,
// class, title). Of the profiles that take a window the most specific acts,
// and of those the first listed.
int matchOf(const OverlayKey& key, const WindowIdentity& window);

// Whether the key is a profile's (a program's or a window's).
bool isProfile(const OverlayKey& key);

// File names compare as the file system does: without regard to case. Names
// that differ only by blanks at their ends share a section of the settings
// file, so they are one program's too.
bool sameProgram(std::wstring_view a, std::wstring_view b);

bool sameKey(const OverlayKey& a, const OverlayKey& b);

// The program a program's profile is for, or nullptr for another kind of
// overlay.
const std::wstring* programOf(const OverlayKey& key);
// The button a layer is for, or none for another kind of overlay.
std::optional<Slot> buttonOf(const OverlayKey& key);
// The windows a window profile is for, or nullptr.
const WindowKey* windowOf(const OverlayKey& key);

// What a window profile without a program is for.
inline constexpr std::wstring_view kAnyProgramText = L"Any Program";

// What the window's profile caption shows for it: "notepad.exe", "While Back
// Held", "firefox.exe – “*YouTube*” (MozillaWindowClass)".
std::wstring overlayName(const OverlayKey& key);

}  // namespace vela
