// The profile caption's menu, and the programs it offers profiles for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Geometry.h"
#include "core/OverlayKey.h"

namespace vela {

// The profile menu: "All Programs", every profile and every layer (the
// edited one checked), "New Profile For" the programs with windows now,
// "Delete This Profile" (or "Delete This Layer"), then the rows that export
// and import profile files.
struct ProfileMenuRow {
    std::uint16_t commandId = 0;
    std::wstring text;
    bool checked = false;
};
struct ProfileMenuContent {
    std::vector<ProfileMenuRow> profiles;  // "All Programs" first
    std::vector<ProfileMenuRow> layers;    // "While Back Held", after the profiles
    std::vector<ProfileMenuRow> newFor;    // empty: the submenu shows greyed
    // "The Window Under the Pointer…" heads the "New Profile For" submenu.
    bool offersWindowPick = false;
    bool canDelete = false;     // false while "All Programs" is edited
    bool deletesLayer = false;  // a layer is edited
    // "Export This Profile…", "Export All Profiles…" and "Import Profile…"
    // are offered (a menu without a file to share them with has none); the
    // first two greyed when there is nothing to export.
    bool offersFiles = false;
    bool canExportShown = false;
    bool canExportAll = false;
    // "Vela Off in This Program" ("… in These Windows" for a window
    // profile), checked while on: offered while a profile is edited, none
    // otherwise.
    std::optional<bool> velaOff;
    bool velaOffForWindows = false;
};

class ProfileMenuPort {
public:
    virtual ~ProfileMenuPort() = default;
    // As the function menu: shown at `at`, the choice comes later as a command.
    virtual void showProfileMenu(Point at, const ProfileMenuContent& content) = 0;
};

// "The Window Under the Pointer…": after a short count the window under the
// pointer is taken, and the user may widen its title to a pattern before the
// profile is made.
class WindowPickerPort {
public:
    virtual ~WindowPickerPort() = default;
    // The windows the new profile is for, or nullopt when the user cancelled.
    virtual std::optional<WindowKey> pickWindow() = 0;
};

// The programs that have a visible top-level window now, by file name
// ("notepad.exe"), each once, Vela itself left out.
class ProgramListPort {
public:
    virtual ~ProgramListPort() = default;
    virtual std::vector<std::wstring> programsWithWindows() = 0;
};

}  // namespace vela
