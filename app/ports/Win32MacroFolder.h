// The ScriptsMacros folder: its scripts for the function menu, the shell's
// window onto it, and a watch on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/FilePort.h"
#include "core/ShellPorts.h"
#include "menu/FunctionMenuPort.h"
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
    // the folder is made, renamed, removed or written, and each time the
    // folder itself goes, is replaced or comes back (the system's change
    // notifications on the folder and on the one above it). The watch never
    // holds a folder that is gone: that would keep it from being made again
    // on older systems. Where no notification can be had (some network
    // shares) it only looks now and then whether the folder is there; the
    // loader compares each script's time and size before it plays. False
    // when no thread could be started.
    bool watch(std::function<void()> changed);

private:
    static DWORD WINAPI watchThread(LPVOID self);
    void runWatch();

    std::wstring folder_;
    ShellPort& shell_;
    FilePort& files_;
    std::function<void()> changed_;
    UniqueHandle stop_;
    UniqueHandle thread_;
};

}  // namespace vela::win32
