// The system's side of every port Vela's services run over, built once for
// the life of the program. Apart from the hook engine, which needs the
// reports' window (app/HookSide.h), and the playback threads' own ports
// (app/PlaybackSide.h).
#pragma once

#include <string>

#include "app/ports/Win32AutostartPort.h"
#include "app/ports/Win32FilePort.h"
#include "app/ports/Win32InputPort.h"
#include "app/ports/Win32KeyNames.h"
#include "app/ports/Win32MacroFolder.h"
#include "app/ports/Win32ShellPort.h"
#include "app/ports/Win32Threads.h"
#include "app/ports/Win32TimerPort.h"
#include "core/ProgramFiles.h"

namespace vela::win32 {

struct PlatformPorts {
    // `moduleFolder` is the executable's; the scripts folder is below it.
    explicit PlatformPorts(const std::wstring& moduleFolder)
        : macroFolder(moduleFolder + L"\\" + std::wstring(kScriptsFolderName), shell, files) {}
    PlatformPorts(const PlatformPorts&) = delete;
    PlatformPorts& operator=(const PlatformPorts&) = delete;

    // The user-interface thread's input; playbacks have ports of their own.
    Win32InputPort input;
    Win32KeyNames keyNames;
    Win32ShellPort shell;
    Win32PowerPort power;
    Win32FilePort files;
    Win32AnsiCodePage ansi;
    Win32AutostartPort autostart;
    Win32Threads threads;
    // The main window's timers, once it exists (setWindow).
    Win32TimerPort timers;
    Win32MacroFolder macroFolder;
};

}  // namespace vela::win32
