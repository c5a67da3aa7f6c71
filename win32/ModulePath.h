// Where a module lives. Read whole, however deep the folder: every part of
// Vela that looks beside itself (settings, scripts, hook libraries, the Run
// entry, its own name) asks here, so they all agree.
#pragma once

#include <windows.h>

#include <string>

namespace vela::win32 {

// The full path of `module` (the executable when null); empty only when the
// system cannot tell.
std::wstring modulePath(HMODULE module = nullptr);

}  // namespace vela::win32
