// Starting with Windows: the user's choice and the Run entry, kept in step.
#pragma once

#include <string>

#include "core/AutostartPort.h"

namespace vela {

// "BootValue" 0 means on, 1 off; a user who never chose has it on.
inline constexpr int kBootOn = 0;
inline constexpr int kBootOff = 1;

// The Run entry for an executable: its path in quotes, so that a path with
// blanks ("C:\Program Files\...") starts this program and nothing else. No
// arguments: a start from the entry has an empty command line and so starts
// hidden.
std::wstring runCommandFor(const std::wstring& executablePath);

class Autostart {
public:
    Autostart(AutostartPort& port, std::wstring executablePath)
        : port_(port), executablePath_(std::move(executablePath)) {}

    bool isOn();
    // At start-up the profile wins: the Run entry is made to match it.
    void syncAtStartup();
    // The tray menu's "Start With Windows".
    void toggle();

private:
    void applyRunEntry(bool on);

    AutostartPort& port_;
    std::wstring executablePath_;
};

}  // namespace vela
