// A click on a slot's description label: ask for a new description and show it.
#pragma once

#include <windows.h>

#include <string>

namespace vela {

// Opens the entry dialog over `dialog`. On OK stores the text (empty too) in
// `description`, repaints the skin under label `labelControl` and puts the
// text on it; returns whether it did. Cancel changes nothing.
bool runDescriptionCommand(HINSTANCE module, HWND dialog, int labelControl,
                           std::wstring& description);

}  // namespace vela
