// Ports that take every call and do nothing: for a host that needs a slot
// model and an executor but no window, timers or playbacks. Free of the
// standard library's threads, so the Windows test programs can use them too.
#pragma once

#include <cstdint>
#include <string>

#include "core/PlaybackPorts.h"
#include "core/TimerPort.h"
#include "core/ViewPorts.h"

namespace vela::test {

struct QuietView final : ViewPort {
    void setCaption(Slot, const std::wstring&) override {}
    void setDescriptionLabel(Slot, const std::wstring&) override {}
    void repaintCaptions() override {}
    void setCaptionInherited(Slot, bool) override {}
    void setProfileCaption(const std::wstring&) override {}
};

struct QuietTimers final : TimerPort {
    void start(int, std::uint32_t) override {}
    void stop(int) override {}
};

// No playback ever starts.
struct NoPlayback final : PlaybackPort {
    bool startPlayback(Slot) override { return false; }
};

}  // namespace vela::test
