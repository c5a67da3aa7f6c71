#include "macro/MacroPlayer.h"

#include <limits>

#include "core/InputRecords.h"
#include "core/TrackedInput.h"
#include "macro/SlotWorker.h"

namespace vela {

namespace {

// Pointer arithmetic saturates: a huge offset pins the pointer to an edge
// instead of wrapping to the other side.
std::int32_t addSaturating(std::int32_t a, std::int32_t b) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    if (sum > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (sum < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(sum);
}

// A negative delay would be an unsigned wait of about 49 days: it is no wait.
std::uint32_t delayMs(std::int32_t number) {
    return number < 0 ? 0u : static_cast<std::uint32_t>(number);
}

}  // namespace

void playMacroScript(const MacroScript& script, InputSendPort& out, InputStatePort& state,
                     const std::atomic<bool>* stop) {
    // Key records carry the low 16 bits of this thread's message extra info.
    const std::uint64_t extraInfo = state.messageExtraInfo() & 0xFFFFu;
    const auto key = [&](std::int32_t number, bool up) {
        const auto virtualKey = static_cast<std::uint16_t>(number);
        return keyRecord(virtualKey, scanCodeFor(state, virtualKey), up, 0, extraInfo);
    };

    // Clicks land on the pixel the pointer is on as far as the script knows:
    // where it was at the start, or where the script's last move put it. Moves
    // count in 1/65535 of the primary screen from the pointer's own coordinate.
    const Size screen = state.primaryScreenSize();
    const Rect desk = state.virtualScreen();
    Point pointer = state.cursorPos();
    std::int32_t pointerX = absoluteCoordinate(pointer.x, screen.width);
    std::int32_t pointerY = absoluteCoordinate(pointer.y, screen.height);

    const auto sendOne = [&out](const InputRecord& record) {
        out.send(std::span<const InputRecord>(&record, 1));
    };
    const auto sendMouse = [&](std::uint32_t buttonFlags) {
        sendOne(mouseRecord(targetAtCursor(pointer, screen, desk), buttonFlags));
    };
    const auto sendMove = [&] {
        const MouseTarget target{pointerX, pointerY, 0};
        sendOne(mouseRecord(target, 0));
        pointer = pixelOfTarget(target, screen, desk);
    };

    for (const MacroStep& step : script) {
        if (stop && stop->load(std::memory_order_acquire)) break;
        switch (step.opcode) {
            case opcode::LeftDown:
                sendMouse(mouseflag::LeftDown);
                break;
            case opcode::LeftUp:
                sendMouse(mouseflag::LeftUp);
                break;
            case opcode::Delay:
                out.sleepMs(delayMs(step.number()));
                break;
            case opcode::MoveL: {
                // Horizontal moves follow the pointer where it is now.
                const std::int32_t nowX = absoluteCoordinate(state.cursorPos().x, screen.width);
                pointerX = addSaturating(nowX, step.number());
                sendMove();
                break;
            }
            case opcode::MoveR:
                pointerY = addSaturating(pointerY, step.number());
                sendMove();
                break;
            case opcode::KeyDown:
                sendOne(key(step.number(), false));
                break;
            case opcode::KeyUp:
                sendOne(key(step.number(), true));
                break;
            default:
                break;  // right and middle button steps are kept but not played
        }
    }
}

MacroPlayer::MacroPlayer(std::shared_ptr<const MacroScripts> scripts,
                         std::shared_ptr<PlaybackThreads> threads,
                         std::shared_ptr<HeldInputs> ledger, InputPortFactory makeInputPort,
                         WorkerThreadPort& threadStarter)
    : scripts_(std::move(scripts)),
      threads_(std::move(threads)),
      ledger_(std::move(ledger)),
      makeInputPort_(std::move(makeInputPort)),
      threadStarter_(threadStarter) {}

bool MacroPlayer::startPlayback(Slot slot) {
    const SlotInfo* info = findSlot(number(slot));
    if (!info || info->macro != MacroBehaviour::Playback) return false;
    if (!scripts_ || !threads_ || !ledger_ || !makeInputPort_) return false;
    std::shared_ptr<InputPort> input = makeInputPort_(slot);
    if (!input) return false;

    // The script is the one the slot has now, whatever is read into the
    // table while it plays.
    std::shared_ptr<const MacroScript> script = scripts_->at(number(slot));
    return startSlotWorker(
        threadStarter_, threads_, ledger_, std::move(input), slot,
        [script = std::move(script)](TrackedInput& tracked, InputStatePort& state,
                                     const std::atomic<bool>& stop) {
            if (script) playMacroScript(*script, tracked, state, &stop);
        });
}

void MacroPlayer::playOnThisThread(int slotNumber, InputPort& input) const {
    if (!scripts_ || slotNumber < 1 || slotNumber > 10) return;
    HeldInputs ownLedger;
    TrackedInput tracked(input, ledger_ ? *ledger_ : ownLedger, timerScriptOwner(slotNumber));
    if (const auto script = scripts_->at(slotNumber)) playMacroScript(*script, tracked, input);
    tracked.releaseHeld();
}

}  // namespace vela
