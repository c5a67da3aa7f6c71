// Where the hook libraries report: a message window of its own, for the nine
// slots' registered messages and the hook engine's own events.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "core/MouseTuning.h"
#include "core/ShortcutCapture.h"
#include "core/SlotSet.h"
#include "win32/MessageWindow.h"

namespace vela {

struct HookReportActions {
    // A slot's input was pressed (one activation); `detail` is what the
    // library says with it (for the Alt+Tab slot: the Alt keys still held).
    std::function<void(Slot slot, std::uint32_t detail)> pressed;
    // A press the slot's hook took came up.
    std::function<void(Slot slot)> released;
    // The watchdog put lost hooks back: a release may have gone by.
    std::function<void()> hooksRestored;
    // A left, right or middle click went through (while clicks are watched).
    std::function<void()> clicked;
    // A press, notch or tilt of the mouse that no slot reported began (while
    // clicks are watched).
    std::function<void()> otherInput;
    // A key event the engine took while it captures the keyboard.
    std::function<void(const CapturedKey& key)> keyCaptured;
    // The chatter filter or the wheel's bounce filter took another bounce:
    // the counts, as far as told.
    std::function<void(const BounceCounts& counts)> bounced;
};

// The libraries are installed for hwnd(), and the engine told to post its own
// events to it as engineMessage() (app/ports/Win32HookPort.h).
class HookReports {
public:
    HookReports(HINSTANCE module, HookReportActions actions);

    HWND hwnd() const { return window_.hwnd(); }
    UINT engineMessage() const { return engineMessage_; }
    // The bounces filtered so far, as the engine told them.
    const BounceCounts& bounces() const { return bounces_; }

private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HookReportActions actions_;
    // The registered report message of each slot, and the engine's.
    SlotArray<UINT> reportMessages_;
    UINT engineMessage_ = 0;
    BounceCounts bounces_;
    win32::MessageWindow window_;
};

}  // namespace vela
