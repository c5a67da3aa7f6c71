// Plays macro scripts as synthetic input: on a worker thread per slot press,
// or on the calling thread for the main window's playback timers.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "core/HeldInputs.h"
#include "core/InputPorts.h"
#include "core/PlaybackPorts.h"
#include "core/PlaybackThreads.h"
#include "macro/MacroScript.h"
#include "macro/WorkerThreadPort.h"

namespace vela {

// Plays every step of `script` once on the calling thread through `out`, each
// record in a SendInput call of its own and no pause but the Delay steps;
// where the pointer is and the layout come from `state`. Stops before the
// next step once `stop` is set.
void playMacroScript(const MacroScript& script, InputSendPort& out, InputStatePort& state,
                     const std::atomic<bool>* stop = nullptr);
inline void playMacroScript(const MacroScript& script, InputPort& input,
                            const std::atomic<bool>* stop = nullptr) {
    playMacroScript(script, input, input, stop);
}

// A fresh InputPort for one playback thread of a slot: the platform port
// keeps a timer per instance, so threads must not share one, and its pauses
// end when the slot's playback is woken.
using InputPortFactory = std::function<std::unique_ptr<InputPort>(Slot)>;

// The one player of all slots that play macros. The executor claims a slot's
// PlaybackThreads entry, then calls startPlayback(); the playback thread
// clears the entry as its very last act. Every playback keeps the ledger of
// what it holds down and lets go of it when it ends, whether the script
// released it or not, or when it is stopped.
class MacroPlayer final : public PlaybackPort {
public:
    MacroPlayer(std::shared_ptr<const MacroScripts> scripts,
                std::shared_ptr<PlaybackThreads> threads, std::shared_ptr<HeldInputs> ledger,
                InputPortFactory makeInputPort, WorkerThreadPort& threadStarter);

    // False, with nothing started, for a slot that plays no macros or when no
    // port or thread could be had.
    bool startPlayback(Slot slot) override;

    // Plays position `slotNumber` here and now, without touching the slot's
    // PlaybackThreads entry (the playback timers' way). Any position 1..10.
    void playOnThisThread(int slotNumber, InputPort& input) const;

private:
    std::shared_ptr<const MacroScripts> scripts_;
    std::shared_ptr<PlaybackThreads> threads_;
    std::shared_ptr<HeldInputs> ledger_;
    InputPortFactory makeInputPort_;
    WorkerThreadPort& threadStarter_;
};

}  // namespace vela
