#include "hooks/CaptureFilter.h"

namespace vela::hooks {

CaptureVerdict CaptureFilter::onEvent(const KeyInput& in, bool capturing) {
    if (in.injected || in.virtualKey >= swallowed_.size()) return {};
    if (in.down) {
        // After the capture, a key still held repeats a press the system
        // never saw: it stays Vela's until it comes up.
        if (!capturing) return {swallowed_.test(in.virtualKey), false};
        swallowed_.set(in.virtualKey);
        return {true, true};
    }
    const bool swallow = swallowed_.test(in.virtualKey);
    swallowed_.reset(in.virtualKey);
    return {swallow, capturing};
}

}  // namespace vela::hooks
