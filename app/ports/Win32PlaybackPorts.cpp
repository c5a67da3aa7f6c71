#include "app/ports/Win32PlaybackPorts.h"

#include "app/ports/Win32InputPort.h"

namespace vela::win32 {

Win32PlaybackPorts::Win32PlaybackPorts(KeyWatchPort* keys) : keys_(keys) {
    for (const SlotInfo& info : kSlotTable)
        wake_[info.slot].reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

std::unique_ptr<InputPort> Win32PlaybackPorts::portFor(Slot slot) {
    HANDLE wake = wake_[slot].get();
    if (wake) ResetEvent(wake);
    return std::make_unique<Win32InputPort>(wake, keys_);
}

void Win32PlaybackPorts::wake(Slot slot) {
    if (HANDLE event = wake_[slot].get()) SetEvent(event);
}

}  // namespace vela::win32
