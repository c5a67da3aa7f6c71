// The hook libraries as the core drives them.
#pragma once

#include "core/MouseTuning.h"
#include "core/SlotTable.h"

namespace vela {

// Installs and removes the hook library of a slot.
class HookPort {
public:
    virtual ~HookPort() = default;
    virtual void install(Slot slot) = 0;
    virtual void remove(Slot slot) = 0;
};

// The clicks that may bring another window to the front, seen by the hook
// engine, for systems whose foreground event does not reach other processes.
// Watching them keeps a low-level mouse hook in.
class ClickWatchPort {
public:
    virtual ~ClickWatchPort() = default;
    virtual void watchClicks(bool on) = 0;
};

// How the hook engine filters and shapes the mouse (core/MouseTuning.h);
// anything on keeps a low-level mouse hook in.
class MouseTuningPort {
public:
    virtual ~MouseTuningPort() = default;
    virtual void tune(const MouseTuning& tuning) = 0;
};

}  // namespace vela
