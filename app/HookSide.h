// The hook libraries and the engine behind them, the window they report to,
// and the mouse tuning the user chose for the engine's filters.
#pragma once

#include <windows.h>

#include "app/HookReports.h"
#include "app/TrayController.h"
#include "app/ports/Win32HookPort.h"
#include "core/MouseTuning.h"
#include "core/PressPath.h"

namespace vela {

struct HookSide {
    explicit HookSide(HINSTANCE module) : reports(module), engine(reports.hwnd()) {}
    HookSide(const HookSide&) = delete;
    HookSide& operator=(const HookSide&) = delete;

    // From here on presses, releases, clicks and other input reach `presses`,
    // captured keys the engine's capture and bounce counts the tray's tip;
    // and the engine's own events come. Before any slot goes in: a taken
    // press's release must reach Vela.
    void reportTo(PressPath& presses, TrayController& tray);

    HookReports reports;
    win32::Win32HookPort engine;
    // Global, not per program: a worn switch chatters in every program.
    MouseTuning tuning;
};

}  // namespace vela
