#include "macro/TextTyper.h"

#include "core/TypedText.h"
#include "macro/SlotWorker.h"

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
    return startSlotWorker(threadStarter_, threads_, ledger_, std::move(input), slot,
                           [text = std::move(text)](TrackedInput& tracked, InputStatePort& state,
                                                    const std::atomic<bool>& stop) {
                               typeText(text, tracked, state, &stop);
                           });
}

}  // namespace vela
