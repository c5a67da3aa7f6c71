// The hook libraries as the core drives them.
#pragma once

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

}  // namespace vela
