// Which slots have a macro playback running right now.
#pragma once

#include <atomic>

#include "core/SlotSet.h"

namespace vela {

// One `playbackThread` entry per slot number. An entry is set by the
// user-interface thread just before a playback starts and cleared by the
// playback thread as its last act, so it is set exactly while a playback of
// the slot runs. Atomic, because two threads write it.
class PlaybackThreads {
public:
    // Claims the slot's entry; false when a playback of the slot already runs.
    // A new playback starts with no stop asked of it.
    bool tryBegin(Slot slot) {
        bool expected = false;
        if (!entry(slot).compare_exchange_strong(expected, true, std::memory_order_acq_rel))
            return false;
        stop_[slot].store(false, std::memory_order_release);
        return true;
    }
    void finish(Slot slot) { entry(slot).store(false, std::memory_order_release); }
    bool isPlaying(Slot slot) const {
        return playbackThread_[slot].load(std::memory_order_acquire);
    }

    // Asks the slot's running playback to stop: it plays no further step and
    // presses nothing more.
    void requestStop(Slot slot) { stop_[slot].store(true, std::memory_order_release); }
    const std::atomic<bool>& stopFlag(Slot slot) const { return stop_[slot]; }

private:
    std::atomic<bool>& entry(Slot slot) { return playbackThread_[slot]; }

    SlotArray<std::atomic<bool>> playbackThread_;
    SlotArray<std::atomic<bool>> stop_;
};

}  // namespace vela
