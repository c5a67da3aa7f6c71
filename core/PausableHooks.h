// "Pause Remapping" and per-program profiles: which hook libraries are in,
// apart from which slots "All Programs" remaps.
#pragma once

#include <cstdint>

#include "core/Ports.h"
#include "core/SlotTable.h"

namespace vela {

// A HookPort between the slot model and the hook libraries. It remembers
// which slots the model wants hooked; the slots a program's profile sets
// follow the profile instead; while paused every library stays out. Each
// change puts in or takes out exactly the libraries that differ.
class PausableHooks final : public HookPort {
public:
    explicit PausableHooks(HookPort& libraries) : libraries_(libraries) {}

    void install(Slot slot) override;
    void remove(Slot slot) override;

    void setPaused(bool paused);
    bool paused() const { return paused_; }

    // The slots in `mask` (a bit per slot number) are hooked when their bit in
    // `remapped` is set, whatever the model wants; 0 for no profile.
    void setOverrides(std::uint32_t mask, std::uint32_t remapped);

private:
    static std::uint32_t bit(Slot slot) { return 1u << number(slot); }
    void apply();

    HookPort& libraries_;
    std::uint32_t wanted_ = 0;
    std::uint32_t overridden_ = 0;
    std::uint32_t overridesRemapped_ = 0;
    std::uint32_t in_ = 0;  // the libraries in now
    bool paused_ = false;
};

}  // namespace vela
