// Keeps the ledger of held input for whatever sends through it, and lets the
// sender be stopped.
#pragma once

#include <atomic>

#include "core/HeldInputs.h"
#include "core/InputPorts.h"
#include "core/PlaybackThreads.h"
#include "core/ReleasePorts.h"
#include "core/SlotSet.h"

namespace vela {

// Sends through another port and notes every record it sends in the ledger
// under its owner. Once `stop` is set it presses nothing more (releases still
// go out) and its pauses end at once.
class TrackedInput final : public InputSendPort {
public:
    TrackedInput(InputSendPort& inner, HeldInputs& ledger, InputOwner owner,
                 const std::atomic<bool>* stop = nullptr)
        : inner_(inner), ledger_(ledger), owner_(owner), stop_(stop) {}

    void send(std::span<const InputRecord> records) override;
    void sleepMs(std::uint32_t ms) override;

    bool stopped() const { return stop_ && stop_->load(std::memory_order_acquire); }
    // Lets go of what this owner still holds, last pressed first.
    void releaseHeld();

private:
    InputSendPort& inner_;
    HeldInputs& ledger_;
    InputOwner owner_;
    const std::atomic<bool>* stop_;
};

// How long Exit, Reset or a new assignment waits for a playback to stop
// before letting go of its keys anyway.
inline constexpr std::uint32_t kPlaybackStopWaitMs = 100;

// Lets go of held input as the ReleasePort: a slot's playback is asked to
// stop and woken from its pause, given up to kPlaybackStopWaitMs to end
// (it lets go of its own keys as it ends), then whatever the ledger still has
// is released. Runs on the user-interface thread.
class InputReleaser final : public ReleasePort {
public:
    InputReleaser(HeldInputs& ledger, PlaybackThreads& threads, PlaybackWakePort& wake,
                  InputPort& input)
        : ledger_(ledger), threads_(threads), wake_(wake), input_(input) {}

    void releaseSlot(Slot slot) override;
    void releaseAll() override;

private:
    // Stops the playbacks of the slots in `slots`.
    void stopPlaybacks(SlotSet slots);

    HeldInputs& ledger_;
    PlaybackThreads& threads_;
    PlaybackWakePort& wake_;
    InputPort& input_;
};

}  // namespace vela
