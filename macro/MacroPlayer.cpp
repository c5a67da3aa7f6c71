#include "macro/MacroPlayer.h"

#include <limits>

#include "core/InputRecords.h"

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

void playMacroScript(const MacroScript& script, InputPort& input) {
    // Key records carry the low 16 bits of this thread's message extra info.
    const std::uint64_t extraInfo = input.messageExtraInfo() & 0xFFFFu;
    InputRecord keyDown = keyRecord(0, false, 0, extraInfo);
    InputRecord keyUp = keyRecord(0, true, 0, extraInfo);

    // Clicks land on the pixel the pointer is on as far as the script knows:
    // where it was at the start, or where the script's last move put it. Moves
    // count in 1/65535 of the primary screen from the pointer's own coordinate.
    const Size screen = input.primaryScreenSize();
    const Rect desk = input.virtualScreen();
    Point pointer = input.cursorPos();
    std::int32_t pointerX = absoluteCoordinate(pointer.x, screen.width);
    std::int32_t pointerY = absoluteCoordinate(pointer.y, screen.height);

    const auto sendOne = [&input](const InputRecord& record) {
        input.send(std::span<const InputRecord>(&record, 1));
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
        switch (step.opcode) {
            case opcode::LeftDown:
                sendMouse(mouseflag::LeftDown);
                break;
            case opcode::LeftUp:
                sendMouse(mouseflag::LeftUp);
                break;
            case opcode::Delay:
                input.sleepMs(delayMs(step.number()));
                break;
            case opcode::MoveL: {
                // Horizontal moves follow the pointer where it is now.
                const std::int32_t nowX = absoluteCoordinate(input.cursorPos().x, screen.width);
                pointerX = addSaturating(nowX, step.number());
                sendMove();
                break;
            }
            case opcode::MoveR:
                pointerY = addSaturating(pointerY, step.number());
                sendMove();
                break;
            case opcode::KeyDown:
                keyDown.virtualKey = static_cast<std::uint16_t>(step.number());
                sendOne(keyDown);
                break;
            case opcode::KeyUp:
                keyUp.virtualKey = static_cast<std::uint16_t>(step.number());
                sendOne(keyUp);
                break;
            default:
                break;  // right and middle button steps are kept but not played
        }
    }
}

MacroPlayer::MacroPlayer(std::shared_ptr<const MacroScripts> scripts,
                         std::shared_ptr<PlaybackThreads> threads, InputPortFactory makeInputPort,
                         WorkerThreadPort& threadStarter)
    : scripts_(std::move(scripts)),
      threads_(std::move(threads)),
      makeInputPort_(std::move(makeInputPort)),
      threadStarter_(threadStarter) {}

bool MacroPlayer::startPlayback(Slot slot) {
    const SlotInfo* info = findSlot(number(slot));
    if (!info || info->macro != MacroBehaviour::Playback) return false;
    if (!scripts_ || !threads_ || !makeInputPort_) return false;
    std::shared_ptr<InputPort> input = makeInputPort_();
    if (!input) return false;

    // The thread owns what it touches: the table, the entries and its port.
    return threadStarter_.startDetached(
        [scripts = scripts_, threads = threads_, input = std::move(input), slot]() mutable {
            try {
                playMacroScript((*scripts)[static_cast<std::size_t>(number(slot))], *input);
            } catch (...) {
                // Nothing to report to; the entry must still be cleared below.
            }
            input.reset();
            threads->finish(slot);
        });
}

void MacroPlayer::playOnThisThread(int slotNumber, InputPort& input) const {
    if (!scripts_ || slotNumber < 1 || slotNumber > 10) return;
    playMacroScript((*scripts_)[static_cast<std::size_t>(slotNumber)], input);
}

}  // namespace vela
