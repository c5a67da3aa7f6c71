// Where the hook libraries report: a message window of its own, for the nine
// slots' registered messages and the hook engine's own events.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "core/MouseTuning.h"
#include "core/PressPath.h"
#include "core/ShortcutCapture.h"
#include "core/SlotSet.h"
#include "win32/MessageWindow.h"

namespace vela {

// What the reports carry besides presses.
struct HookReportActions {
    // A key event the engine took while it captures the keyboard.
    std::function<void(const CapturedKey& key)> keyCaptured;
    // The chatter filter or the wheel's bounce filter took another bounce:
    // the counts, as far as told.
    std::function<void(const BounceCounts& counts)> bounced;
};

// The libraries are installed for hwnd(), and the engine told to post its own
// events to it as engineMessage() (app/ports/Win32HookPort.h). Presses,
// releases, restored hooks, clicks and other input go to the press path, each
// with the tick the hook posted it at.
class HookReports {
public:
    explicit HookReports(HINSTANCE module);

    // Where the reports go. The press path is built over the hook engine,
    // which needs this window first: call this before any hook goes in or
    // the engine is told to listen. Until then nothing is reported.
    void reportTo(PressPath& presses, HookReportActions actions);

    HWND hwnd() const { return window_.hwnd(); }
    UINT engineMessage() const { return engineMessage_; }
    // The bounces filtered so far, as the engine told them.
    const BounceCounts& bounces() const { return bounces_; }

private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    PressPath* presses_ = nullptr;
    HookReportActions actions_;
    // The registered report message of each slot, and the engine's.
    SlotArray<UINT> reportMessages_;
    UINT engineMessage_ = 0;
    BounceCounts bounces_;
    win32::MessageWindow window_;
};

}  // namespace vela
