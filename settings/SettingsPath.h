// Where the settings file lives.
#pragma once

#include <string>
#include <string_view>

#include "macro/ScriptLocation.h"

namespace vela {

inline constexpr std::wstring_view kSettingsFileName = L"QmSetting.ini";

// Beside the executable: a module path without any backslash gives
// "\QmSetting.ini", the root of the current drive.
inline std::wstring settingsPathFor(std::wstring_view modulePath) {
    return moduleFolderOf(modulePath) + L"\\" + std::wstring(kSettingsFileName);
}

}  // namespace vela
