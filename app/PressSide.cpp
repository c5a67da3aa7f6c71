#include "app/PressSide.h"

namespace vela {

PressSide::PressSide(HINSTANCE module, win32::Win32HookPort& engine, PlaybackSide& playback,
                     win32::PlatformPorts& ports, ViewPort& view)
    : release(playback.releaser, path),
      hooks(engine, &release, &engine, &engine),
      model(hooks, view, ports.timers, &release),
      foreground(module),
      path(
          model, overlays, hooks, &release, [this] { freshPlayback.scriptsChanged(); }, executor,
          foreground),
      freshPlayback(playback.player, playback.loader, path.pressedFunctions()),
      profileModel(noHooks, view, ports.timers, &release),
      editor(model, profileModel, overlays, path.profiles(), view, ports.timers),
      executor(model,
               ExecutorPorts{ports.input, ports.input, ports.shell, ports.power, freshPlayback,
                             playback.held.get(), &playback.typer},
               *playback.threads) {
    // A held layer ends before a change to a layer could make it act otherwise.
    editor.onLayerChange([this] { path.abandon(); });
    hooks.followTriggers(engine, path.applies());
}

void PressSide::followForeground() {
    foreground.start(
        [this](const WindowIdentity& window) { path.profiles().foregroundChanged(window); });
}

void PressSide::onVelaOff(std::function<void(const std::wstring& program)> tell) {
    path.profiles().onVelaOff([this, tell = std::move(tell)](const std::wstring& program) {
        foreground.lookOften(!program.empty());
        tell(program);
    });
}

void PressSide::watchScripts(win32::Win32MacroFolder& folder) {
    folder.watch([this] { freshPlayback.scriptsChanged(); });
}

void PressSide::watchClicks() {
    hooks.watchClicks(!overlays.profiles().empty() || editor.layerButtons().any());
}

bool PressSide::togglePause() {
    const bool pause = !hooks.paused();
    hooks.setPaused(pause);
    // No click was watched while paused: whichever program is in front now
    // decides.
    if (!pause) foreground.checkForeground(false);
    return pause;
}

}  // namespace vela
