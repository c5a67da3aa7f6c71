// Where Vela's own files live, derived from the executable's path: the
// settings file and the macro scripts sit beside the program.
#pragma once

#include <string>
#include <string_view>

namespace vela {

inline constexpr std::wstring_view kSettingsFileName = L"QmSetting.ini";
inline constexpr std::wstring_view kScriptsFolderName = L"ScriptsMacros";

// Everything before the last backslash of the module path (the backslash
// dropped); empty when the path has none.
inline std::wstring moduleFolderOf(std::wstring_view modulePath) {
    const std::size_t slash = modulePath.rfind(L'\\');
    if (slash == std::wstring_view::npos) return {};
    return std::wstring(modulePath.substr(0, slash));
}

// Beside the executable: a module path without any backslash gives
// "\QmSetting.ini", the root of the current drive.
inline std::wstring settingsPathFor(std::wstring_view modulePath) {
    return moduleFolderOf(modulePath) + L"\\" + std::wstring(kSettingsFileName);
}

// The script `name` exactly as given: no extension added, nothing trimmed, so
// a name may reach into a subfolder.
inline std::wstring macroScriptPath(std::wstring_view moduleFolder, std::wstring_view name) {
    std::wstring path(moduleFolder);
    path += L'\\';
    path += kScriptsFolderName;
    path += L'\\';
    path += name;
    return path;
}

}  // namespace vela
