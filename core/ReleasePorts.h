// Letting go of what Vela's own input holds down.
#pragma once

#include "core/SlotTable.h"

namespace vela {

// Lets go of what Vela's own input holds down: a slot's playback (stopped
// first) when the slot changes, or everything, before Vela resets or ends.
class ReleasePort {
public:
    virtual ~ReleasePort() = default;
    virtual void releaseSlot(Slot slot) = 0;
    virtual void releaseAll() = 0;
};

// Ends the pauses of a slot's playback thread at once (its stop is asked
// for separately), so a stopped script does not sit out a long Delay.
class PlaybackWakePort {
public:
    virtual ~PlaybackWakePort() = default;
    virtual void wake(Slot slot) = 0;
};

}  // namespace vela
