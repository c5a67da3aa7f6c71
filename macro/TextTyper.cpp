#include "macro/TextTyper.h"

#include "core/TrackedInput.h"
#include "core/TypedText.h"

namespace vela {

TextTyper::TextTyper(std::shared_ptr<PlaybackThreads> threads, std::shared_ptr<HeldInputs> ledger,
                     InputPortFactory makeInputPort, WorkerThreadPort& threadStarter)
    : threads_(std::move(threads)),
      ledger_(std::move(ledger)),
      makeInputPort_(std::move(makeInputPort)),
      threadStarter_(threadStarter) {}

bool TextTyper::startTyping(Slot slot, std::wstring text) {
    if (!findSlot(number(slot)) || !threads_ || !ledger_ || !makeInputPort_) return false;
    std::shared_ptr<InputPort> input = makeInputPort_(slot);
    if (!input) return false;
    // The thread owns what it touches: its text, the entries, the ledger and
    // its port.
    return threadStarter_.startDetached([text = std::move(text), threads = threads_,
                                         ledger = ledger_, input = std::move(input),
                                         slot]() mutable {
        const std::atomic<bool>& stop = threads->stopFlag(slot);
        TrackedInput tracked(*input, *ledger, playbackOwner(slot), &stop);
        try {
            typeText(text, tracked, *input, &stop);
        } catch (...) {
            // Nothing to report to; the entry must still be let go below.
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
