// From a hook's report to the function it runs: "All Programs" and the
// profiles and layers over it, the press path that decides which of them
// applies (the program in front followed with a foreground event hook), the
// executor that runs the function and what lets go of what it holds; the
// hooks as those ask for them; and the overlay the window shows and edits.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/PlaybackSide.h"
#include "app/ports/PlatformPorts.h"
#include "app/ports/Win32ForegroundWatch.h"
#include "app/ports/Win32HookPort.h"
#include "core/ActionExecutor.h"
#include "core/HookPorts.h"
#include "core/Overlay.h"
#include "core/PausableHooks.h"
#include "core/PressPath.h"
#include "core/ProfileEditor.h"
#include "core/SlotModel.h"
#include "core/ViewPorts.h"
#include "macro/RefreshingPlayback.h"

namespace vela {

struct PressSide {
    // The hooks go in through `engine`; the functions play and type through
    // `playback`, and show through `view`.
    PressSide(HINSTANCE module, win32::Win32HookPort& engine, PlaybackSide& playback,
              win32::PlatformPorts& ports, ViewPort& view);
    PressSide(const PressSide&) = delete;
    PressSide& operator=(const PressSide&) = delete;

    // Starts following the program in front, whose profile applies.
    void followForeground();
    // `tell` hears the program Vela is off in as it comes to the front, and
    // "" once Vela is on again; meanwhile no click is watched, so the window
    // in front is looked at often instead.
    void onVelaOff(std::function<void(const std::wstring& program)> tell);
    // From here on an edited script is read again before it next plays.
    void watchScripts(win32::Win32MacroFolder& folder);
    // Clicks are watched while there are profiles to follow or layer
    // buttons whose tap a click spoils.
    void watchClicks();
    // "Pause Remapping": every hook out, the click watch's too, then what is
    // held let go (a held layer with it); or the hooks back. True when paused
    // now.
    bool togglePause();

    // The hooks of the profile being edited are the runtime's to place.
    struct NoHooks final : HookPort {
        void install(Slot) override {}
        void remove(Slot) override {}
    };

    // Whatever lets go of what Vela holds ends a held layer first. Built
    // before the press path it ends the layer of, used only later.
    LayerEndingRelease release;
    PausableHooks hooks;
    SlotModel model;
    // Per-program profiles and layers: what acts for each slot while a
    // button is held or a program is in front, over "All Programs".
    OverlaySet overlays;
    win32::Win32ForegroundWatch foreground;
    // Decides which overlay applies to a press and has the executor run it.
    PressPath path;
    // A macro set in a layer plays the layer's script.
    RefreshingPlayback freshPlayback;
    // The profile being edited, shown in the window instead of "All Programs".
    NoHooks noHooks;
    SlotModel profileModel;
    ProfileEditor editor;
    ActionExecutor executor;
};

}  // namespace vela
