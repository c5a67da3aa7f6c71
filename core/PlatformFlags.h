// Facts about the running Windows version that decide what the program offers.
// Asked once at start-up (win32/Platform.h) and handed to whatever decides.
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

}  // namespace vela
