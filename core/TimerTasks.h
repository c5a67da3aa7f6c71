// What the main window's one-shot timers do when they fire.
#pragma once

#include "core/PlaybackPorts.h"
#include "core/SavePort.h"
#include "core/SlotModel.h"
#include "core/TimerPort.h"
#include "core/ViewPorts.h"

namespace vela {

class TimerTasks {
public:
    TimerTasks(TimerPort& timers, SavePort& saver, WindowPort& window, ScriptPlayer& player)
        : timers_(timers), saver_(saver), window_(window), player_(player) {}

    // Every timer is one-shot: each is stopped when it fires. Unknown ids do
    // nothing.
    void onTimer(int timerId);

private:
    TimerPort& timers_;
    SavePort& saver_;
    WindowPort& window_;
    ScriptPlayer& player_;
};

}  // namespace vela
