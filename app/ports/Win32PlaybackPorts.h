// The input ports of playback threads (a script or a typed text), one slot's
// at a time, and the events that end their pauses at once.
#pragma once

#include <windows.h>

#include <memory>

#include "core/HookPorts.h"
#include "core/InputPorts.h"
#include "core/ReleasePorts.h"
#include "core/SlotSet.h"
#include "win32/Handle.h"

namespace vela::win32 {

class Win32PlaybackPorts final : public PlaybackWakePort {
public:
    // `keys` tells which keys a finger holds while a text types.
    explicit Win32PlaybackPorts(KeyWatchPort* keys);

    // The port of the slot's next playback: its pauses end when the slot is
    // woken, from its start on.
    std::unique_ptr<InputPort> portFor(Slot slot);
    // Ends the pauses of the slot's playback.
    void wake(Slot slot) override;

private:
    KeyWatchPort* keys_;
    // Manual-reset, reset as the slot's next playback starts.
    SlotArray<UniqueHandle> wake_;
};

}  // namespace vela::win32
