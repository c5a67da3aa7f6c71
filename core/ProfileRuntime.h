// Follows the program in front: its profile goes into the overlay stack, the
// hooks of the slots it sets follow it, and what a slot held down goes up
// when the slot's function changes with the switch.
#pragma once

#include <functional>
#include <string>

#include "core/OverlayStack.h"
#include "core/PausableHooks.h"
#include "core/ReleasePorts.h"

namespace vela {

// Runs on the user-interface thread.
class ProfileRuntime {
public:
    // `scriptsChanged` hears of a switch that may give a slot another script.
    ProfileRuntime(OverlayStack& stack, PausableHooks& hooks, ReleasePort* release,
                   std::function<void()> scriptsChanged)
        : stack_(stack),
          hooks_(hooks),
          release_(release),
          scriptsChanged_(std::move(scriptsChanged)) {}

    // The foreground event: `program` is the file name of the program now in
    // front.
    void foregroundChanged(std::wstring program);
    // A profile was made, edited, deleted or read: the one in front applies
    // again.
    void profilesChanged();

private:
    void apply();

    OverlayStack& stack_;
    PausableHooks& hooks_;
    ReleasePort* release_;
    std::function<void()> scriptsChanged_;
    SlotSet applied_;  // the slots the profile last applied sets
};

}  // namespace vela
