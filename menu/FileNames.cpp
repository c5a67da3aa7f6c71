#include "menu/FileNames.h"

namespace vela::menu {

std::wstring fileNamePart(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring applicationName(std::wstring_view executablePath) {
    std::wstring name = fileNamePart(executablePath);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name;
}

}  // namespace vela::menu
