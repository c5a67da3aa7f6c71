// The hook libraries as the core drives them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "core/ButtonTriggers.h"
#include "core/MouseTuning.h"
#include "core/ShortcutCapture.h"
#include "core/SlotSet.h"
#include "core/SlotTable.h"

namespace vela {

// Installs and removes the hook library of a slot.
class HookPort {
public:
    virtual ~HookPort() = default;
    virtual void install(Slot slot) = 0;
    virtual void remove(Slot slot) = 0;
};

// Which keys the user's fingers hold, which the system's state stops telling
// once Vela sent a key up: known while watched (a keyboard hook is in).
class KeyWatchPort {
public:
    virtual ~KeyWatchPort() = default;
    virtual void watchKeys(bool on) = 0;
    // Held or not; nothing where nothing watches.
    virtual std::optional<bool> keyHeld(std::uint16_t virtualKey) = 0;
};

// The hook engine driven by the whole set of slots Vela wants hooked, asked
// for without waiting for the hook thread, so that a press that switches a
// profile or holds a layer never stalls on it. From the moment want returns,
// no input of a slot left out is reported any more; a slot added is taken
// once its hook is in, a moment later (a press before that goes to programs as
// it is). Requests that come faster than the engine applies them collapse
// into the latest.
class HookRequestPort {
public:
    virtual ~HookRequestPort() = default;
    virtual void want(SlotSet slots) = 0;
};

// The clicks that may bring another window to the front, seen by the hook
// engine, for systems whose foreground event does not reach other processes.
// Watching them keeps a low-level mouse hook in.
class ClickWatchPort {
public:
    virtual ~ClickWatchPort() = default;
    virtual void watchClicks(bool on) = 0;
};

// The whole keyboard for Vela alone, while the user presses a shortcut for it
// to learn: every key pressed goes to the sink and nowhere else, so Windows,
// Alt+Tab or Alt+F4 are captured instead of acted on. The hook engine ends a
// capture that is not renewed within a few seconds by itself: a stuck user
// interface must not keep the keyboard from the user.
class KeyCapturePort {
public:
    virtual ~KeyCapturePort() = default;
    // Starts a capture (or renews the running one) with `sink` receiving each
    // key event on the user-interface thread.
    virtual void beginCapture(std::function<void(const CapturedKey&)> sink) = 0;
    // Keeps the running capture alive; call at least every second.
    virtual void renewCapture() = 0;
    // Ends it: the keyboard works as before. Harmless when none runs.
    virtual void endCapture() = 0;
};

// How the hook engine filters and shapes the mouse (core/MouseTuning.h);
// anything on keeps a low-level mouse hook in.
class MouseTuningPort {
public:
    virtual ~MouseTuningPort() = default;
    virtual void tune(const MouseTuning& tuning) = 0;
    // Sends a release the chatter filter still holds in its window now, and
    // returns once it went: called before the hooks or the process go, or the
    // button would stay down for the system.
    virtual void letGo() = 0;
};

// What each mouse button does besides its press, for the hook engine to
// decide (core/ButtonTriggers.h).
class TriggerPort {
public:
    virtual ~TriggerPort() = default;
    virtual void setTriggers(const TriggerSet& triggers) = 0;
};

}  // namespace vela
