#include "core/ModifierLift.h"

#include "core/InputRecords.h"

namespace vela {

namespace {

constexpr ModifierSet kMaskedModifiers =
    modifier::LeftAlt | modifier::RightAlt | modifier::LeftWin | modifier::RightWin;

void appendKey(std::vector<InputRecord>& records, std::uint16_t virtualKey, bool up,
               InputStatePort& state) {
    records.push_back(keyRecord(virtualKey, scanCodeFor(state, virtualKey), up));
}

void appendMask(std::vector<InputRecord>& records, InputStatePort& state) {
    appendKey(records, vk::MenuMask, false, state);
    appendKey(records, vk::MenuMask, true, state);
}

}  // namespace

ModifierSet modifiersDown(InputStatePort& state) {
    ModifierSet down = 0;
    for (int i = 0; i < kModifierCount; ++i) {
        if (state.keyDown(kModifierOrder[static_cast<std::size_t>(i)]))
            down = static_cast<ModifierSet>(down | (1u << i));
    }
    return down;
}

ModifierSet modifiersHeld(InputStatePort& state) {
    ModifierSet held = 0;
    for (int i = 0; i < kModifierCount; ++i) {
        if (state.keyHeld(kModifierOrder[static_cast<std::size_t>(i)]))
            held = static_cast<ModifierSet>(held | (1u << i));
    }
    return held;
}

std::vector<InputRecord> liftRecords(ModifierSet held, InputStatePort& state) {
    std::vector<InputRecord> records;
    if (held & kMaskedModifiers) appendMask(records, state);
    for (int i = kModifierCount; i-- > 0;) {
        if (held & (1u << i))
            appendKey(records, kModifierOrder[static_cast<std::size_t>(i)], true, state);
    }
    return records;
}

std::vector<InputRecord> putBackRecords(ModifierSet held, InputStatePort& state) {
    std::vector<InputRecord> records;
    for (int i = 0; i < kModifierCount; ++i) {
        if (held & (1u << i))
            appendKey(records, kModifierOrder[static_cast<std::size_t>(i)], false, state);
    }
    if (held & kMaskedModifiers) appendMask(records, state);
    return records;
}

}  // namespace vela
