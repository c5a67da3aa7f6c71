#include "core/InputSynth.h"

#include <array>
#include <optional>
#include <bit>
#include <vector>

#include "core/MouseButtons.h"
#include "core/ShortcutRecords.h"

namespace vela {

InputRecord InputSynth::key(std::uint16_t virtualKey, bool up, std::uint32_t time) {
    return keyRecord(virtualKey, scanCodeFor(state_, virtualKey), up, time);
}

void InputSynth::sendOne(const InputRecord& record) {
    out_.send({&record, 1});
}

void InputSynth::click(MouseFunction function, const MouseTarget& at) {
    const std::optional<MouseButton> button = buttonClickedBy(function);
    if (!button) return;
    const MouseButtonInfo& b = buttonInfo(*button);
    sendOne(mouseRecord(at, b.downFlag, b.xButton));
    out_.sleepMs(kClickPauseMs);
    sendOne(mouseRecord(at, b.upFlag, b.xButton));
}

void InputSynth::buttonDown(MouseFunction function, const MouseTarget& at) {
    const std::optional<MouseButton> button = buttonClickedBy(function);
    if (!button) return;
    sendOne(mouseRecord(at, buttonInfo(*button).downFlag, buttonInfo(*button).xButton));
}

void InputSynth::keysDown(std::uint8_t modifier, std::uint8_t virtualKey, std::uint32_t pauseMs) {
    if (modifier != 0) {
        sendOne(key(modifier, false));
        if (pauseMs > 0) out_.sleepMs(pauseMs);
    }
    sendOne(key(virtualKey, false));
}

void InputSynth::wheelStep(std::int32_t delta, const MouseTarget& at) {
    sendOne(mouseRecord(at, mouseflag::Wheel, static_cast<std::uint32_t>(delta)));
}

void InputSynth::tiltStep(std::int32_t delta, const MouseTarget& at) {
    sendOne(mouseRecord(at, mouseflag::HorizontalWheel, static_cast<std::uint32_t>(delta)));
}

void InputSynth::keyTap(std::uint8_t virtualKey) {
    const std::uint16_t scan = scanCodeFor(state_, virtualKey);
    const std::array<InputRecord, 2> tap{keyRecord(virtualKey, scan, false),
                                         keyRecord(virtualKey, scan, true)};
    out_.send(tap);
}

void InputSynth::modifierChord(std::uint8_t modifier, std::uint8_t virtualKey,
                               std::uint32_t pauseMs) {
    sendOne(key(modifier, false));
    if (pauseMs > 0) out_.sleepMs(pauseMs);
    sendOne(key(virtualKey, false));
    sendOne(key(virtualKey, true));
    sendOne(key(modifier, true));
}

void InputSynth::slowWindowsChord(std::uint8_t virtualKey) {
    sendOne(key(vk::LeftWindows, false));
    out_.sleepMs(kSlowChordPauseMs);
    sendOne(key(virtualKey, false));
    sendOne(key(virtualKey, true));
    out_.sleepMs(kSlowChordPauseMs);
    sendOne(key(vk::LeftWindows, true));
}

void InputSynth::pressShortcut(const Shortcut& shortcut, std::uint32_t pauseMs) {
    const std::vector<InputRecord> records = shortcutPressRecords(shortcut, state_);
    const auto modifiers = static_cast<std::size_t>(std::popcount(shortcut.modifiers()));
    const std::size_t keys = records.size() - 2 * modifiers;  // 0, 1 (a notch) or 2
    for (std::size_t i = 0; i < modifiers; ++i) sendOne(records[i]);
    if (modifiers > 0 && keys > 0 && pauseMs > 0) out_.sleepMs(pauseMs);
    for (std::size_t i = modifiers; i < modifiers + keys; ++i) {
        // A button is held as long as a click holds it.
        if (i > modifiers && records[i].type == InputRecord::Mouse) out_.sleepMs(kClickPauseMs);
        sendOne(records[i]);
    }
    for (std::size_t i = modifiers + keys; i < records.size(); ++i) sendOne(records[i]);
}

void InputSynth::shortcutDown(const Shortcut& shortcut, std::uint32_t pauseMs) {
    const std::vector<InputRecord> records = shortcutDownRecords(shortcut, state_);
    const auto modifiers = static_cast<std::size_t>(std::popcount(shortcut.modifiers()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i == modifiers && i > 0 && pauseMs > 0) out_.sleepMs(pauseMs);
        sendOne(records[i]);
    }
}

void InputSynth::letGoOfAlt(bool left, bool right) {
    std::vector<InputRecord> records{key(vk::MenuMask, false), key(vk::MenuMask, true)};
    if (left) records.push_back(key(vk::LeftAlt, true));
    if (right) records.push_back(key(vk::RightAlt, true));
    out_.send(records);
}

void InputSynth::switchApps() {
    const std::array<InputRecord, 6> chord{
        key(vk::Control, false, 0),      key(vk::LeftWindows, false, 0),
        key(vk::Backspace, false, 64),   key(vk::Backspace, true, 128),
        key(vk::LeftWindows, true, 500), key(vk::Control, true, 500),
    };
    out_.send(chord);
}

void InputSynth::repeatTap(std::uint8_t virtualKey, int presses, RepeatStyle style) {
    if (style == RepeatStyle::Taps) {
        for (int i = 0; i < presses; ++i) keyTap(virtualKey);
        return;
    }
    out_.sleepMs(kRepeatLeadPauseMs);
    for (int i = 0; i < presses; ++i) {
        sendOne(key(virtualKey, false));
        sendOne(key(virtualKey, true));
    }
}

}  // namespace vela
