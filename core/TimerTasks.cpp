#include "core/TimerTasks.h"

namespace vela {

void TimerTasks::onTimer(int timerId) {
    if (timerId == kSaveTimerId) {
        // Stopped first, so a command that re-arms it during the save counts.
        timers_.stop(kSaveTimerId);
        saver_.saveAll();
    } else if (timerId == kHideTimerId) {
        window_.hide();
        timers_.stop(kHideTimerId);
    } else if (const std::optional<Slot> slot = slotOfPlaybackTimer(timerId)) {
        // Kept as an entry point: nothing in Vela starts these timers, but a
        // script can be played on the window's own thread through them.
        timers_.stop(timerId);
        player_.playOnThisThread(*slot);
    }
}

}  // namespace vela
