// Types a slot's text on a worker thread, as a playback of the slot.
#pragma once

#include <memory>
#include <string>

#include "core/HeldInputs.h"
#include "core/PlaybackPorts.h"
#include "core/PlaybackThreads.h"
#include "macro/MacroPlayer.h"
#include "macro/WorkerThreadPort.h"

namespace vela {

// Every slot can type, the middle button too (it plays no scripts). The
// executor claims the slot's PlaybackThreads entry first; the thread clears it
// as its very last act. A stop of the slot's playback (Exit, Reset, a new
// assignment, pause) stops the typing within one batch: a character is never
// split, so nothing is left down.
class TextTyper final : public TypingPort {
public:
    TextTyper(std::shared_ptr<PlaybackThreads> threads, std::shared_ptr<HeldInputs> ledger,
              InputPortFactory makeInputPort, WorkerThreadPort& threadStarter);

    bool startTyping(Slot slot, std::wstring text) override;

private:
    std::shared_ptr<PlaybackThreads> threads_;
    std::shared_ptr<HeldInputs> ledger_;
    InputPortFactory makeInputPort_;
    WorkerThreadPort& threadStarter_;
};

}  // namespace vela
