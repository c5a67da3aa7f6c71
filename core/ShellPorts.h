// Programs and power: what a Launch assignment reaches.
#pragma once

#include <string>

namespace vela {

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Opens a file or program as the shell would on a double click.
    virtual void openFile(const std::wstring& file) = 0;
    // Runs a command line through the command interpreter and waits for it.
    virtual void runCommandAndWait(const std::wstring& commandLine) = 0;
};

class PowerPort {
public:
    virtual ~PowerPort() = default;
    // Standby when `suspend` is true, hibernation when false; forced.
    virtual void requestPowerState(bool suspend) = 0;
};

}  // namespace vela
