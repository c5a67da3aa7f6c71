// What the tray icon tells of Vela's state: the user's pause, or Vela off in
// the program in front.
#pragma once

#include <string>

namespace vela::menu {

struct TrayState {
    bool paused = false;
    std::wstring offIn;  // the program in front Vela is off in, or ""
};

// The words the icon's tip ends with, in parentheses: "paused" (the user's
// pause says more than the program in front), "off in game.exe", or none.
inline std::wstring trayStateText(const TrayState& state) {
    if (state.paused) return L"paused";
    return state.offIn.empty() ? std::wstring() : L"off in " + state.offIn;
}

// Whether the icon shows the paused (grey) look: nothing of Vela acts.
inline bool looksPaused(const TrayState& state) {
    return state.paused || !state.offIn.empty();
}

}  // namespace vela::menu
