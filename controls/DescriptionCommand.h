// A click on a slot's description label: ask the user for a new description.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace vela {

// Opens the entry dialog over `owner` and returns the text confirmed with OK
// (empty text too), or nullopt when the user cancelled.
std::optional<std::wstring> askForDescription(HINSTANCE module, HWND owner);

}  // namespace vela
