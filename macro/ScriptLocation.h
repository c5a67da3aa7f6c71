// Where the program's files live, derived from the executable's own path.
#pragma once

#include <string>
#include <string_view>

namespace vela {

// Everything before the last backslash of the module path (the backslash
// dropped); empty when the path has none.
inline std::wstring moduleFolderOf(std::wstring_view modulePath) {
    const std::size_t slash = modulePath.rfind(L'\\');
    if (slash == std::wstring_view::npos) return {};
    return std::wstring(modulePath.substr(0, slash));
}

// The script `name` exactly as given: no extension added, nothing trimmed, so
// a name may reach into a subfolder.
inline std::wstring macroScriptPath(std::wstring_view moduleFolder, std::wstring_view name) {
    std::wstring path(moduleFolder);
    path += L"\\ScriptsMacros\\";
    path += name;
    return path;
}

}  // namespace vela
