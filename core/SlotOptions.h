// Options a slot's assignment can have besides its function, one row each:
// its check row at the end of the slot's function menu, its flag in the
// assignment and its key in the settings file all come from here. The menu,
// the assignment commands and the settings store read the table; a new
// option is a row, its flag in ButtonAssignment, and whatever it does.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/Assignment.h"
#include "core/MessageIds.h"
#include "core/SlotTable.h"

namespace vela {

struct SlotOption {
    std::string_view name;          // short name used in logs and test names
    std::wstring_view settingsKey;  // "1" while on; left out while off
    std::wstring_view menuText;
    std::uint16_t commandId;  // in kSlotOptionCommands
    bool ButtonAssignment::*flag;
    // Which slots offer it, by the input they watch.
    bool (*appliesTo)(Trigger);
};

inline constexpr std::array<SlotOption, 1> kSlotOptions{{
    // A key or button function goes down with the input and up with it.
    {"hold", L"Hold", L"Hold While Pressed", 90, &ButtonAssignment::holdWhilePressed, canHold},
}};

// The option of a menu command, or nullptr.
constexpr const SlotOption* findSlotOption(std::uint32_t commandId) {
    for (const SlotOption& option : kSlotOptions)
        if (option.commandId == commandId) return &option;
    return nullptr;
}

namespace detail {

constexpr bool slotOptionsApart() {
    for (std::size_t i = 0; i < kSlotOptions.size(); ++i) {
        if (!kSlotOptionCommands.contains(kSlotOptions[i].commandId)) return false;
        for (std::size_t j = i + 1; j < kSlotOptions.size(); ++j) {
            if (kSlotOptions[i].commandId == kSlotOptions[j].commandId ||
                kSlotOptions[i].settingsKey == kSlotOptions[j].settingsKey ||
                kSlotOptions[i].flag == kSlotOptions[j].flag)
                return false;
        }
    }
    return true;
}

}  // namespace detail

static_assert(detail::slotOptionsApart(),
              "each option has a command in its range, a key and a flag of its own");

}  // namespace vela
