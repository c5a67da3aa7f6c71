#include "core/TrackedInput.h"

#include <vector>

namespace vela {

void TrackedInput::send(std::span<const InputRecord> records) {
    if (!stopped()) {
        inner_.send(records);
        ledger_.noteSent(owner_, records);
        return;
    }
    std::vector<InputRecord> releases;
    for (const InputRecord& r : records)
        if (!pressesSomething(r)) releases.push_back(r);
    if (releases.empty()) return;
    inner_.send(releases);
    ledger_.noteSent(owner_, releases);
}

void TrackedInput::sleepMs(std::uint32_t ms) {
    if (!stopped()) inner_.sleepMs(ms);
}

void TrackedInput::releaseHeld() {
    const std::vector<InputRecord> releases = ledger_.takeReleases(owner_);
    if (!releases.empty()) inner_.send(releases);
}

void InputReleaser::stopPlaybacks(SlotSet slots) {
    SlotSet playing;
    for (const SlotInfo& info : kSlotTable) {
        if (!slots.has(info.slot) || !threads_.isPlaying(info.slot)) continue;
        threads_.requestStop(info.slot);
        wake_.wake(info.slot);
        playing.add(info.slot);
    }
    // Bounded by the clock, not by a count of pauses: where a 1 ms pause
    // lasts a whole scheduler tick, a hundred of them would be over a second.
    const std::uint32_t start = input_.tickCount();
    while (playing.any() && input_.tickCount() - start < kPlaybackStopWaitMs) {
        input_.sleepMs(1);
        for (const SlotInfo& info : kSlotTable)
            if (!threads_.isPlaying(info.slot)) playing.remove(info.slot);
    }
}

void InputReleaser::releaseSlot(Slot slot) {
    stopPlaybacks({slot});
    for (const InputOwner owner : {heldFunctionOwner(slot), playbackOwner(slot)}) {
        const std::vector<InputRecord> releases = ledger_.takeReleases(owner);
        if (!releases.empty()) input_.send(releases);
    }
}

void InputReleaser::releaseAll() {
    stopPlaybacks(SlotSet::all());
    const std::vector<InputRecord> releases = ledger_.takeAllReleases();
    if (!releases.empty()) input_.send(releases);
}

}  // namespace vela
