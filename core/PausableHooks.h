// "Pause Remapping": every hook out at once and back again, the assignments
// untouched.
#pragma once

#include <cstdint>

#include "core/Ports.h"
#include "core/SlotTable.h"

namespace vela {

// A HookPort between the slot model and the hook libraries. It remembers
// which slots want their hook; while paused it keeps every library out and
// only takes note of installs and removes, and on resume it puts back exactly
// the ones wanted then.
class PausableHooks final : public HookPort {
public:
    explicit PausableHooks(HookPort& libraries) : libraries_(libraries) {}

    void install(Slot slot) override;
    void remove(Slot slot) override;

    void setPaused(bool paused);
    bool paused() const { return paused_; }

private:
    static std::uint32_t bit(Slot slot) { return 1u << number(slot); }

    HookPort& libraries_;
    std::uint32_t wanted_ = 0;
    bool paused_ = false;
};

}  // namespace vela
