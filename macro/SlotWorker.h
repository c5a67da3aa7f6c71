// The one way a slot's input runs on a thread of its own: a macro playback or
// a typed text.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "core/HeldInputs.h"
#include "core/InputPorts.h"
#include "core/PlaybackThreads.h"
#include "core/TrackedInput.h"
#include "macro/WorkerThreadPort.h"

namespace vela {

// What a slot's worker does: sends through `tracked` (the ledger notes what it
// holds, and once `stop` is set it presses nothing more), reads the pointer
// and clocks through `platform`, and sends there only what is not its own
// to hold.
using SlotWork = std::function<void(TrackedInput& tracked, InputPort& platform,
                                    const std::atomic<bool>& stop)>;

// Starts `work` for `slot` on a detached thread that owns what it touches (the
// entries, the ledger, its port). Whether the work ends or throws, the thread
// lets go of what it still holds and clears the slot's PlaybackThreads entry
// as its very last act. False, with nothing started, when no thread could be.
inline bool startSlotWorker(WorkerThreadPort& threadStarter,
                            std::shared_ptr<PlaybackThreads> threads,
                            std::shared_ptr<HeldInputs> ledger, std::shared_ptr<InputPort> input,
                            Slot slot, SlotWork work) {
    return threadStarter.startDetached([threads = std::move(threads), ledger = std::move(ledger),
                                        input = std::move(input), slot,
                                        work = std::move(work)]() mutable {
        const std::atomic<bool>& stop = threads->stopFlag(slot);
        TrackedInput tracked(*input, *ledger, playbackOwner(slot), &stop);
        try {
            work(tracked, *input, stop);
        } catch (...) {
            // Nothing to report to; the keys and the entry must still be let go below.
        }
        try {
            tracked.releaseHeld();
        } catch (...) {
        }
        input.reset();
        threads->finish(slot);
    });
}

}  // namespace vela
