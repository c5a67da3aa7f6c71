// The ScriptsMacros folder: its scripts for the function menu, the shell's
// window onto it, and a watch on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/Ports.h"
#include "win32/Handle.h"

namespace vela::win32 {

class Win32MacroFolder final : public MacroFolderPort {
public:
    Win32MacroFolder(std::wstring folder, ShellPort& shell, FilePort& files)
        : folder_(std::move(folder)), shell_(shell), files_(files) {}
    ~Win32MacroFolder() override;
    Win32MacroFolder(const Win32MacroFolder&) = delete;
    Win32MacroFolder& operator=(const Win32MacroFolder&) = delete;

    std::vector<std::wstring> scriptNames() override;
    void openFolder() override;

    // Calls `changed` on a thread of its own each time a file or folder under
    // the folder is made, renamed, removed or written (the system's change
    // notification, no polling). False when the folder cannot be watched.
    bool watch(std::function<void()> changed);

private:
    static DWORD WINAPI watchThread(LPVOID self);

    std::wstring folder_;
    ShellPort& shell_;
    FilePort& files_;
    std::function<void()> changed_;
    UniqueHandle stop_;
    UniqueHandle thread_;
    HANDLE notification_ = INVALID_HANDLE_VALUE;
};

}  // namespace vela::win32
