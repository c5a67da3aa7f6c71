// Where a slot becomes a bit or an index: a set of slots and an array with one
// element per slot. Nothing else turns a slot number into either.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "core/SlotTable.h"

namespace vela {

// A set of slots, one bit per slot number, so a whole set is one word: the
// hook procedure reads the installed slots with a single atomic load.
class SlotSet {
public:
    constexpr SlotSet() = default;
    constexpr SlotSet(std::initializer_list<Slot> slots) {
        for (Slot s : slots) bits_ |= bit(s);
    }
    // The set a word of bits() stands for.
    constexpr explicit SlotSet(std::uint32_t bits) : bits_(bits) {}

    // Every slot of the table.
    static constexpr SlotSet all() {
        SlotSet set;
        for (const SlotInfo& info : kSlotTable) set.bits_ |= bit(info.slot);
        return set;
    }

    constexpr bool has(Slot s) const { return (bits_ & bit(s)) != 0; }
    constexpr SlotSet with(Slot s) const { return SlotSet(bits_ | bit(s)); }
    constexpr SlotSet without(Slot s) const { return SlotSet(bits_ & ~bit(s)); }
    constexpr void add(Slot s) { bits_ |= bit(s); }
    constexpr void remove(Slot s) { bits_ &= ~bit(s); }
    constexpr bool any() const { return bits_ != 0; }
    constexpr std::uint32_t bits() const { return bits_; }

    friend constexpr SlotSet operator|(SlotSet a, SlotSet b) { return SlotSet(a.bits_ | b.bits_); }
    friend constexpr SlotSet operator&(SlotSet a, SlotSet b) { return SlotSet(a.bits_ & b.bits_); }
    // The slots of `a` that are not in `b`.
    friend constexpr SlotSet operator-(SlotSet a, SlotSet b) { return SlotSet(a.bits_ & ~b.bits_); }
    constexpr bool operator==(const SlotSet&) const = default;

private:
    static constexpr std::uint32_t bit(Slot s) { return 1u << number(s); }

    std::uint32_t bits_ = 0;
};

constexpr bool intersects(SlotSet a, SlotSet b) {
    return (a & b).any();
}

static_assert(number(Slot::AltTab) < 32, "a slot set holds every slot number in one word");

// One element per slot, indexed by the slot itself.
template <typename T>
class SlotArray {
public:
    constexpr T& operator[](Slot s) { return items_[index(s)]; }
    constexpr const T& operator[](Slot s) const { return items_[index(s)]; }
    bool operator==(const SlotArray&) const = default;

private:
    static constexpr std::size_t index(Slot s) { return static_cast<std::size_t>(number(s)); }

    // By slot number: positions 0 and 7 are never used.
    std::array<T, kSlotPositions> items_{};
};

}  // namespace vela
