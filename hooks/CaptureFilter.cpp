#include "hooks/CaptureFilter.h"

namespace vela::hooks {

namespace {

// Alt and Windows keys: coming up alone after keys the program in front never
// saw, they open its menu bar or the Start menu.
const std::bitset<256> kMaskedKeys = [] {
    std::bitset<256> keys;
    for (const std::uint32_t vk :
         {keycode::Alt, keycode::LeftAlt, keycode::RightAlt, keycode::LeftWin, keycode::RightWin})
        keys.set(vk);
    return keys;
}();

}  // namespace

void CaptureFilter::onHookInstalled(const std::bitset<256>& down) {
    passed_ = down & ~swallowed_;
    maskOwed_ &= passed_ | swallowed_;
}

CaptureVerdict CaptureFilter::onEvent(const KeyInput& in, bool capturing) {
    if (in.injected || in.virtualKey >= swallowed_.size()) return {};
    const std::uint32_t vk = in.virtualKey;
    if (in.down) {
        const bool swallow = swallowed_.test(vk) || (capturing && !passed_.test(vk));
        if (swallow) {
            swallowed_.set(vk);
            maskOwed_ |= (passed_ | swallowed_) & kMaskedKeys;
        } else {
            passed_.set(vk);
        }
        return {swallow, capturing};
    }
    const bool swallow = swallowed_.test(vk) && capturing;
    const bool mask = !swallow && maskOwed_.test(vk);
    swallowed_.reset(vk);
    passed_.reset(vk);
    maskOwed_.reset(vk);
    return {swallow, capturing, mask};
}

}  // namespace vela::hooks
