// Which slots have a macro playback running right now.
#pragma once

#include <array>
#include <atomic>

#include "core/SlotTable.h"

namespace vela {

// One `playbackThread` entry per slot number. An entry is set by the
// user-interface thread just before a playback starts and cleared by the
// playback thread as its last act, so it is set exactly while a playback of
// the slot runs. Atomic, because two threads write it.
class PlaybackThreads {
public:
    // Claims the slot's entry; false when a playback of the slot already runs.
    bool tryBegin(Slot slot) {
        bool expected = false;
        return entry(slot).compare_exchange_strong(expected, true, std::memory_order_acq_rel);
    }
    void finish(Slot slot) { entry(slot).store(false, std::memory_order_release); }
    bool isPlaying(Slot slot) const {
        return playbackThread_[index(slot)].load(std::memory_order_acquire);
    }

private:
    static std::size_t index(Slot slot) { return static_cast<std::size_t>(number(slot)); }
    std::atomic<bool>& entry(Slot slot) { return playbackThread_[index(slot)]; }

    std::array<std::atomic<bool>, kSlotPositions> playbackThread_{};
};

}  // namespace vela
