// Small value types shared by the hook engine's decision logic and its Win32
// side: which slots each hook watches, and what to do with one input event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/ButtonTriggers.h"
#include "core/MouseTuning.h"
#include "core/ShortcutCapture.h"
#include "core/SlotSet.h"
#include "core/SlotTable.h"
#include "core/TriggerAssignments.h"

namespace vela::hooks {

// The slots watched by the low-level mouse hook and by the keyboard hook,
// taken from the slot table's triggers.
constexpr SlotSet keyboardSlots() {
    SlotSet m;
    for (const SlotInfo& info : kSlotTable) {
        if (info.trigger == Trigger::AltTab) m.add(info.slot);
    }
    return m;
}

constexpr SlotSet mouseSlots() {
    SlotSet m;
    for (const SlotInfo& info : kSlotTable) {
        if (info.trigger != Trigger::AltTab) m.add(info.slot);
    }
    return m;
}

// The slot whose library watches a physical input.
constexpr std::optional<Slot> slotWatching(Trigger t) {
    for (const SlotInfo& info : kSlotTable) {
        if (info.trigger == t) return info.slot;
    }
    return std::nullopt;
}

// What the engine tells the window that listens (vela_hook_listen) besides
// the slots' own messages, as the wParam of its message. Never carried by a
// slot's registered message: that means one activation, nothing else.
enum class EngineEvent : std::uint32_t {
    Release = 1,        // lParam: the slot whose taken press came up
    HooksRestored = 2,  // the watchdog put lost hooks back: a release may be missed
    Click = 3,          // a left, right or middle click went through (clicks watched)
    CapturedKey = 4,    // lParam: a key event taken while Vela captures (packCapturedKey)
    Bounces = 5,        // lParam: a bounce count changed (packBounces)
    OtherInput = 6,     // a press, notch or tilt no slot reported began (clicks watched)
    HooksApplied = 7,   // lParam: the latest vela_hook_want request whose hooks are in place
    // lParam: the slot whose button fired the trigger (vela_hook_triggers),
    // while the button is still held but for the double click's second press.
    GestureUp = 8,
    GestureDown = 9,
    GestureLeft = 10,
    GestureRight = 11,
    LongPress = 12,
    DoubleClick = 13,
    OwnDrag = 14,  // a layer button's own press was replayed: its layer ends, untapped
};

constexpr EngineEvent gestureEvent(GestureDirection d) {
    return static_cast<EngineEvent>(static_cast<std::uint32_t>(EngineEvent::GestureUp) +
                                    static_cast<std::uint32_t>(d));
}
static_assert(gestureEvent(GestureDirection::Right) == EngineEvent::GestureRight);
// The listener's trigger events come in the order of the press path's
// triggers (core/TriggerAssignments.h), from GestureUp.
static_assert(static_cast<std::uint32_t>(EngineEvent::DoubleClick) -
                      static_cast<std::uint32_t>(EngineEvent::GestureUp) ==
                  static_cast<std::uint32_t>(SlotTrigger::DoubleClick) &&
              static_cast<std::uint32_t>(EngineEvent::LongPress) -
                      static_cast<std::uint32_t>(EngineEvent::GestureUp) ==
                  static_cast<std::uint32_t>(SlotTrigger::LongPress));

// A captured key event in the 32 bits of a message parameter: the virtual
// key in the low byte, the scan code whole (its 0x200 mark included) in the
// next twelve bits, then the extended flag and whether it is a press.
constexpr std::uint32_t packCapturedKey(const CapturedKey& key) {
    return (key.virtualKey & 0xFFu) | (key.scanCode & 0xFFFu) << 8 |
           (key.extended ? 1u : 0u) << 20 | (key.down ? 1u : 0u) << 21;
}
constexpr CapturedKey unpackCapturedKey(std::uint32_t packed) {
    return {packed & 0xFFu, packed >> 8 & 0xFFFu, (packed >> 20 & 1u) != 0,
            (packed >> 21 & 1u) != 0};
}
static_assert(unpackCapturedKey(packCapturedKey({0xA2, 0x21D, true, true})).scanCode == 0x21D);

// EngineEvent::Bounces carries one count and which it is: a button's (its
// MouseButton index) or the wheel's (kWheelBounceCounter); for a button, also
// whether its release window is on (the low byte's top bit).
inline constexpr std::size_t kWheelBounceCounter = kMouseButtonCount;
inline constexpr std::uint64_t kReleaseWindowBit = 0x80;

constexpr std::uint64_t packBounces(std::size_t counter, std::uint32_t count, bool windowOn) {
    return (std::uint64_t{count} << 8) | (windowOn ? kReleaseWindowBit : 0) | counter;
}

// Takes a packed count into `counts`; false for a counter that is none.
constexpr bool unpackBounces(std::uint64_t packed, BounceCounts& counts) {
    const std::size_t counter = packed & (kReleaseWindowBit - 1);
    const auto count = static_cast<std::uint32_t>(packed >> 8);
    if (counter > kWheelBounceCounter) return false;
    if (counter == kWheelBounceCounter) {
        counts.wheel = count;
        return true;
    }
    counts.buttons[counter] = count;
    counts.releaseWindows[counter] = (packed & kReleaseWindowBit) != 0;
    return true;
}

// What the hook procedure does with one event: let it through or swallow it,
// how many activations of which slot to report (with `detail` as the report's
// lParam; `release` when it is the input coming up, which only the listener
// hears of), and whether the menu-mask key goes ahead of the event.
struct Verdict {
    bool suppress = false;
    std::optional<Slot> reportSlot;
    int reports = 0;
    std::uint32_t detail = 0;
    bool maskFirst = false;
    bool release = false;

    static Verdict pass() { return {}; }
    static Verdict swallow() { return {true, std::nullopt, 0, 0, false, false}; }
    static Verdict report(Slot s, int count = 1) { return {true, s, count, 0, false, false}; }
    // The release of a press that was swallowed and reported: swallowed too,
    // and reported as a release.
    static Verdict reportRelease(Slot s) { return {true, s, 1, 0, false, true}; }
    bool operator==(const Verdict&) const = default;
};

}  // namespace vela::hooks
