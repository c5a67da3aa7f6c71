// Macro scripts and typed texts, each played on a thread of its own through
// an input port of its own, and the ledger of what Vela's input holds down
// with the one who lets go of it.
#pragma once

#include <memory>
#include <string>

#include "app/ports/PlatformPorts.h"
#include "app/ports/Win32PlaybackPorts.h"
#include "core/HeldInputs.h"
#include "core/HookPorts.h"
#include "core/PlaybackPorts.h"
#include "core/PlaybackThreads.h"
#include "core/TrackedInput.h"
#include "macro/MacroPlayer.h"
#include "macro/MacroScriptLoader.h"
#include "macro/TextTyper.h"

namespace vela {

class PlaybackSide final : public ScriptPlayer {
public:
    // `keys` tells which keys a finger holds while a text types; the scripts
    // are read from below `moduleFolder`.
    PlaybackSide(win32::PlatformPorts& ports, KeyWatchPort& keys, const std::wstring& moduleFolder);
    PlaybackSide(const PlaybackSide&) = delete;
    PlaybackSide& operator=(const PlaybackSide&) = delete;

    // A slot's script on this thread (the playback timers), through the
    // user-interface thread's input.
    void playOnThisThread(Slot slot) override;

    std::shared_ptr<MacroScripts> scripts;
    std::shared_ptr<PlaybackThreads> threads;
    std::shared_ptr<HeldInputs> held;
    win32::Win32PlaybackPorts threadPorts;
    // Stops a slot's playback and lets go of what the ledger still has.
    InputReleaser releaser;
    MacroScriptLoader loader;
    MacroPlayer player;
    TextTyper typer;

private:
    InputPort& input_;
};

}  // namespace vela
