#include "core/ChordRecords.h"

#include <algorithm>
#include <array>

#include "core/InputRecords.h"

namespace vela {

namespace {

struct ChordButton {
    ChordKey key;
    std::uint32_t down;
    std::uint32_t up;
    std::uint32_t data;
};
constexpr std::array<ChordButton, 5> kChordButtons{{
    {chordkey::LeftButton, mouseflag::LeftDown, mouseflag::LeftUp, 0},
    {chordkey::RightButton, mouseflag::RightDown, mouseflag::RightUp, 0},
    {chordkey::MiddleButton, mouseflag::MiddleDown, mouseflag::MiddleUp, 0},
    {chordkey::BackButton, mouseflag::XDown, mouseflag::XUp, kXButton1},
    {chordkey::ForwardButton, mouseflag::XDown, mouseflag::XUp, kXButton2},
}};

struct WheelNotch {
    ChordKey key;
    std::uint32_t flag;
    std::int32_t delta;
};
constexpr std::array<WheelNotch, 4> kNotches{{
    {chordkey::WheelUp, mouseflag::Wheel, kWheelDelta},
    {chordkey::WheelDown, mouseflag::Wheel, -kWheelDelta},
    {chordkey::WheelLeft, mouseflag::HorizontalWheel, -kWheelDelta},
    {chordkey::WheelRight, mouseflag::HorizontalWheel, kWheelDelta},
}};

class ChordBuilder {
public:
    explicit ChordBuilder(InputStatePort& input) : input_(input) {}

    void modifiers(ModifierSet set, bool up) {
        for (int n = 0; n < kModifierCount; ++n) {
            const int i = up ? kModifierCount - 1 - n : n;
            if (set & (1u << i)) keyboard(kModifierOrder[static_cast<std::size_t>(i)], up);
        }
    }

    // The key's press (down) or release (up); a notch is all press.
    void key(ChordKey key, bool up) {
        if (isKeyboardKey(key)) {
            keyboard(key, up);
            return;
        }
        const auto button = std::find_if(kChordButtons.begin(), kChordButtons.end(),
                                         [key](const ChordButton& b) { return b.key == key; });
        if (button != kChordButtons.end()) {
            records_.push_back(mouseRecord(target(), up ? button->up : button->down, button->data));
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
    MouseTarget target() {
        return targetAtCursor(input_.cursorPos(), input_.primaryScreenSize(),
                              input_.virtualScreen());
    }

    InputStatePort& input_;
    std::vector<InputRecord> records_;
};

}  // namespace

std::vector<InputRecord> chordPressRecords(const KeyChord& chord, InputStatePort& input) {
    ChordBuilder b(input);
    b.modifiers(chord.modifiers(), false);
    b.key(chord.key(), false);
    b.key(chord.key(), true);
    b.modifiers(chord.modifiers(), true);
    return b.take();
}

std::vector<InputRecord> chordDownRecords(const KeyChord& chord, InputStatePort& input) {
    ChordBuilder b(input);
    b.modifiers(chord.modifiers(), false);
    b.key(chord.key(), false);
    return b.take();
}

}  // namespace vela
