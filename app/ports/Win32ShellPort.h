// ShellPort and PowerPort over the shell, the command interpreter and the
// power-state call.
#pragma once

#include "core/ShellPorts.h"

namespace vela::win32 {

class Win32ShellPort final : public ShellPort {
public:
    void openFile(const std::wstring& file) override;
    // Runs `%COMSPEC% /c <commandLine>` ("cmd.exe" when COMSPEC is unset) and
    // waits for it to end.
    void runCommandAndWait(const std::wstring& commandLine) override;
};

class Win32PowerPort final : public PowerPort {
public:
    // Enables the shutdown privilege on the process token, then asks for the
    // power state, forced.
    void requestPowerState(bool suspend) override;
};

}  // namespace vela::win32
