// Plays macro scripts as synthetic input: on a worker thread per slot press,
// or on the calling thread for the main window's playback timers.
#pragma once

#include <functional>
#include <memory>

#include "core/PlaybackThreads.h"
#include "core/Ports.h"
#include "macro/MacroScript.h"

namespace vela {

// Plays every step of `script` once on the calling thread, each record in a
// SendInput call of its own and no pause but the Delay steps.
void playMacroScript(const MacroScript& script, InputPort& input);

// A fresh InputPort for one playback thread: the platform port keeps a timer
// per instance, so threads must not share one.
using InputPortFactory = std::function<std::unique_ptr<InputPort>()>;

// The one player of all slots that play macros. The executor claims a slot's
// PlaybackThreads entry, then calls startPlayback(); the playback thread
// clears the entry as its very last act.
class MacroPlayer final : public PlaybackPort {
public:
    MacroPlayer(std::shared_ptr<const MacroScripts> scripts,
                std::shared_ptr<PlaybackThreads> threads, InputPortFactory makeInputPort,
                WorkerThreadPort& threadStarter);

    // False, with nothing started, for a slot that plays no macros or when no
    // port or thread could be had.
    bool startPlayback(Slot slot) override;

    // Plays position `slotNumber` here and now, without touching the slot's
    // PlaybackThreads entry (the playback timers' way). Any position 1..10.
    void playOnThisThread(int slotNumber, InputPort& input) const;

private:
    std::shared_ptr<const MacroScripts> scripts_;
    std::shared_ptr<PlaybackThreads> threads_;
    InputPortFactory makeInputPort_;
    WorkerThreadPort& threadStarter_;
};

}  // namespace vela
