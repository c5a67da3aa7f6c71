#include "core/ShortcutRecords.h"

#include <algorithm>
#include <array>

#include "core/InputRecords.h"
#include "core/MouseButtons.h"

namespace vela {

namespace {

struct WheelNotch {
    ShortcutKey key;
    std::uint32_t flag;
    std::int32_t delta;
};
constexpr std::array<WheelNotch, 4> kNotches{{
    {shortcutkey::WheelUp, mouseflag::Wheel, kWheelDelta},
    {shortcutkey::WheelDown, mouseflag::Wheel, -kWheelDelta},
    {shortcutkey::WheelLeft, mouseflag::HorizontalWheel, -kWheelDelta},
    {shortcutkey::WheelRight, mouseflag::HorizontalWheel, kWheelDelta},
}};

class ShortcutBuilder {
public:
    explicit ShortcutBuilder(InputStatePort& input) : input_(input) {}

    void modifiers(ModifierSet set, bool up) {
        for (int n = 0; n < kModifierCount; ++n) {
            const int i = up ? kModifierCount - 1 - n : n;
            if (set & (1u << i)) keyboard(kModifierOrder[static_cast<std::size_t>(i)], up);
        }
    }

    // The key's press (down) or release (up); a notch is all press.
    void key(ShortcutKey key, bool up) {
        if (isKeyboardKey(key)) {
            keyboard(key, up);
            return;
        }
        if (const std::optional<MouseButton> button = buttonOfKey(key)) {
            const MouseButtonInfo& b = buttonInfo(*button);
            records_.push_back(mouseRecord(target(), up ? b.upFlag : b.downFlag, b.xButton));
            return;
        }
        const auto notch = std::find_if(kNotches.begin(), kNotches.end(),
                                        [key](const WheelNotch& w) { return w.key == key; });
        if (notch != kNotches.end() && !up) {
            records_.push_back(
                mouseRecord(target(), notch->flag, static_cast<std::uint32_t>(notch->delta)));
        }
    }

    std::vector<InputRecord> take() { return std::move(records_); }

private:
    void keyboard(std::uint16_t virtualKey, bool up) {
        records_.push_back(keyRecord(virtualKey, scanCodeFor(input_, virtualKey), up));
    }
    MouseTarget target() { return targetAtCursor(input_); }

    InputStatePort& input_;
    std::vector<InputRecord> records_;
};

}  // namespace

std::vector<InputRecord> shortcutPressRecords(const Shortcut& shortcut, InputStatePort& input) {
    ShortcutBuilder b(input);
    b.modifiers(shortcut.modifiers(), false);
    b.key(shortcut.key(), false);
    b.key(shortcut.key(), true);
    b.modifiers(shortcut.modifiers(), true);
    return b.take();
}

std::vector<InputRecord> shortcutDownRecords(const Shortcut& shortcut, InputStatePort& input) {
    ShortcutBuilder b(input);
    b.modifiers(shortcut.modifiers(), false);
    b.key(shortcut.key(), false);
    return b.take();
}

}  // namespace vela
