// Scripts as they are on disk now: a script edited since it was read is read
// again before the slot's next playback.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/PlaybackPorts.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "macro/MacroScriptLoader.h"

namespace vela {

// A PlaybackPort in front of the player. The folder watcher says when
// anything in the scripts folder changed (from its own thread); every slot's
// script is then stale, and each is read again just before it next plays.
// Where no watch tells, the loader sees an edit in the file's time or size.
// The reading happens on the user-interface thread; a playback still running
// keeps the script it started with.
class RefreshingPlayback final : public PlaybackPort {
public:
    RefreshingPlayback(PlaybackPort& player, MacroScriptLoader& loader,
                       const AssignmentSource& assignments)
        : player_(player), loader_(loader), assignments_(assignments) {}

    // Any thread.
    void scriptsChanged() { stale_.store(SlotSet::all().bits(), std::memory_order_release); }

    bool startPlayback(Slot slot) override {
        const std::uint32_t bit = SlotSet{slot}.bits();
        const bool changed = (stale_.fetch_and(~bit, std::memory_order_acq_rel) & bit) != 0;
        const Action& function = assignments_.assignmentFor(slot).action;
        const auto* macro = std::get_if<action::Macro>(&function);
        loader_.refresh(number(slot), macro ? macro->script : std::wstring(), changed);
        return player_.startPlayback(slot);
    }

private:
    PlaybackPort& player_;
    MacroScriptLoader& loader_;
    const AssignmentSource& assignments_;
    std::atomic<std::uint32_t> stale_{0};  // SlotSet::bits()
};

}  // namespace vela
