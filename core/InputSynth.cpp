#include "core/InputSynth.h"

#include <array>

namespace vela {

namespace {

struct ClickFlags {
    std::uint32_t down;
    std::uint32_t up;
    std::uint32_t data;
};

constexpr std::array<ClickFlags, 5> kClickFlags{{
    {mouseflag::LeftDown, mouseflag::LeftUp, 0},      // LeftClick
    {mouseflag::RightDown, mouseflag::RightUp, 0},    // RightClick
    {mouseflag::MiddleDown, mouseflag::MiddleUp, 0},  // MiddleClick
    {mouseflag::XDown, mouseflag::XUp, kXButton2},    // ForwardClick
    {mouseflag::XDown, mouseflag::XUp, kXButton1},    // BackClick
}};

}  // namespace

void InputSynth::sendOne(const InputRecord& record) {
    input_.send({&record, 1});
}

void InputSynth::click(MouseFunction function, const MouseTarget& at) {
    const auto index = static_cast<std::size_t>(toRaw(function));
    if (index >= kClickFlags.size()) return;
    const ClickFlags& f = kClickFlags[index];
    sendOne(mouseRecord(at, f.down, f.data));
    input_.sleepMs(kClickPauseMs);
    sendOne(mouseRecord(at, f.up, f.data));
}

void InputSynth::wheelStep(std::int32_t delta, const MouseTarget& at) {
    sendOne(mouseRecord(at, mouseflag::Wheel, static_cast<std::uint32_t>(delta)));
}

void InputSynth::keyTap(std::uint8_t virtualKey) {
    const std::array<InputRecord, 2> tap{keyRecord(virtualKey, false), keyRecord(virtualKey, true)};
    input_.send(tap);
}

void InputSynth::modifierChord(std::uint8_t modifier, std::uint8_t virtualKey,
                               std::uint32_t pauseMs) {
    sendOne(keyRecord(modifier, false));
    if (pauseMs > 0) input_.sleepMs(pauseMs);
    sendOne(keyRecord(virtualKey, false));
    sendOne(keyRecord(virtualKey, true));
    sendOne(keyRecord(modifier, true));
}

void InputSynth::slowWindowsChord(std::uint8_t virtualKey) {
    sendOne(keyRecord(vk::LeftWindows, false));
    input_.sleepMs(kSlowChordPauseMs);
    sendOne(keyRecord(virtualKey, false));
    sendOne(keyRecord(virtualKey, true));
    input_.sleepMs(kSlowChordPauseMs);
    sendOne(keyRecord(vk::LeftWindows, true));
}

void InputSynth::switchApps() {
    const std::array<InputRecord, 6> chord{
        keyRecord(vk::Control, false, 0),      keyRecord(vk::LeftWindows, false, 0),
        keyRecord(vk::Backspace, false, 64),   keyRecord(vk::Backspace, true, 128),
        keyRecord(vk::LeftWindows, true, 500), keyRecord(vk::Control, true, 500),
    };
    input_.send(chord);
}

void InputSynth::repeatTap(std::uint8_t virtualKey, int presses, RepeatStyle style) {
    if (style == RepeatStyle::Taps) {
        for (int i = 0; i < presses; ++i) keyTap(virtualKey);
        return;
    }
    input_.sleepMs(kRepeatLeadPauseMs);
    for (int i = 0; i < presses; ++i) {
        sendOne(keyRecord(virtualKey, false));
        sendOne(keyRecord(virtualKey, true));
    }
}

}  // namespace vela
