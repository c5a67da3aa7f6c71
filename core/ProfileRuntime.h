// Follows the window in front: its profile goes into the overlay stack, the
// hooks of the slots it sets follow it, and what a slot held down goes up
// when the slot's function changes with the switch. A profile with Vela off
// takes every hook out while its window is in front. Where the wheel follows
// the pointer, the wheel's and tilt's hooks are in wherever any profile
// remaps them.
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

    // The foreground event, or the title of the window in front changed.
    void foregroundChanged(WindowIdentity window);
    // A profile was made, edited, deleted or read: the one in front applies
    // again.
    void profilesChanged();
    // Whether the wheel and its tilt act by the profile of the window under
    // the pointer rather than of the one in front.
    void setWheelFollowsPointer(bool follows);
    bool wheelFollowsPointer() const { return wheelFollowsPointer_; }
    // Whether any profile names a title: the title of the window in front
    // is then to be watched.
    bool titlesMatter() const;

    // `off` hears the profile Vela is off in (as the menu names it) while
    // its window comes to the front, and "" once Vela is on again in front.
    void onVelaOff(std::function<void(const std::wstring& program)> off) {
        velaOff_ = std::move(off);
    }

private:
    void apply();

    OverlayStack& stack_;
    PausableHooks& hooks_;
    ReleasePort* release_;
    std::function<void()> scriptsChanged_;
    std::function<void(const std::wstring&)> velaOff_;
    SlotSet applied_;     // the slots the profile last applied sets
    std::wstring offIn_;  // the profile Vela is off in, in front now
    bool wheelFollowsPointer_ = false;
};

}  // namespace vela
