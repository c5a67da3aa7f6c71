#include "app/PlaybackSide.h"

namespace vela {

namespace {

// Each playback's input port, its pauses ended when its slot is woken.
struct PortOfSlot {
    win32::Win32PlaybackPorts& ports;
    std::unique_ptr<InputPort> operator()(Slot slot) const { return ports.portFor(slot); }
};

}  // namespace

PlaybackSide::PlaybackSide(win32::PlatformPorts& ports, KeyWatchPort& keys,
                           const std::wstring& moduleFolder)
    : scripts(std::make_shared<MacroScripts>()),
      threads(std::make_shared<PlaybackThreads>()),
      held(std::make_shared<HeldInputs>()),
      threadPorts(&keys),
      releaser(*held, *threads, threadPorts, ports.input),
      loader(ports.files, moduleFolder, scripts),
      player(scripts, threads, held, PortOfSlot{threadPorts}, ports.threads),
      typer(threads, held, PortOfSlot{threadPorts}, ports.threads),
      input_(ports.input) {}

void PlaybackSide::playOnThisThread(Slot slot) {
    player.playOnThisThread(number(slot), input_);
}

}  // namespace vela
