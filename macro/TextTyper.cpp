#include "macro/TextTyper.h"

#include "core/TypedText.h"
#include "macro/SlotWorker.h"

namespace vela {

namespace {

// The platform, but a key another of Vela's inputs holds counts as down as
// long as that input holds it: the system has it up once the text let go of
// it, and only the ledger still knows it is to come back.
class LedgerAwarePort final : public InputPort {
public:
    LedgerAwarePort(InputPort& inner, const HeldInputs& ledger) : inner_(inner), ledger_(ledger) {}

    void send(std::span<const InputRecord> records) override { inner_.send(records); }
    void sleepMs(std::uint32_t ms) override { inner_.sleepMs(ms); }
    Point cursorPos() override { return inner_.cursorPos(); }
    Size primaryScreenSize() override { return inner_.primaryScreenSize(); }
    Rect virtualScreen() override { return inner_.virtualScreen(); }
    std::uint32_t tickCount() override { return inner_.tickCount(); }
    std::uint64_t messageExtraInfo() override { return inner_.messageExtraInfo(); }
    std::uint16_t scanCodeOf(std::uint16_t vk) override { return inner_.scanCodeOf(vk); }
    bool keyDown(std::uint16_t vk) override { return ledger_.holdsKey(vk) || inner_.keyDown(vk); }
    bool keyHeld(std::uint16_t vk) override { return ledger_.holdsKey(vk) || inner_.keyHeld(vk); }
    void watchKeys(bool on) override { inner_.watchKeys(on); }

private:
    InputPort& inner_;
    const HeldInputs& ledger_;
};

}  // namespace

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
    return startSlotWorker(
        threadStarter_, threads_, ledger_, std::move(input), slot,
        [text = std::move(text), ledger = ledger_](TrackedInput& tracked, InputPort& platform,
                                                   const std::atomic<bool>& stop) {
            LedgerAwarePort aware(platform, *ledger);
            typeText(text, tracked, aware, &stop);
        });
}

}  // namespace vela
