// Facts about the running Windows version that decide what the program offers.
#pragma once

namespace vela {

struct PlatformFlags {
    bool tiltSupported = true;     // horizontal wheel exists: the tilt slots are usable
    bool win8MenuEnabled = false;  // Windows 8 (6.2) and later: its shortcut menu is offered
};

// Tilt arrived with Vista (6.0); the Windows 8 shortcuts (Win+R, Win+I,
// Win+PrtScn and the rest) work on 6.2 and every later version, which report
// their real number to Vela because its manifest names them.
constexpr PlatformFlags platformFlagsFor(unsigned major, unsigned minor) {
    return {major >= 6, major > 6 || (major == 6 && minor >= 2)};
}

// Set once by the main window's initialisation, before the settings load, and
// read afterwards on the same thread.
inline PlatformFlags platformFlags{};

}  // namespace vela
