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

ModifierSet modifiersWhere(InputStatePort& state,
                           bool (InputStatePort::*down)(std::uint16_t virtualKey)) {
    ModifierSet set = 0;
    for (int i = 0; i < kModifierCount; ++i) {
        if ((state.*down)(kModifierOrder[static_cast<std::size_t>(i)]))
            set = static_cast<ModifierSet>(set | (1u << i));
    }
    return set;
}

}  // namespace

ModifierSet modifiersDown(InputStatePort& state) {
    return modifiersWhere(state, &InputStatePort::keyDown);
}

ModifierSet modifiersHeld(InputStatePort& state) {
    return modifiersWhere(state, &InputStatePort::keyHeld);
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
