// The nine slot assignments and the operations that change them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Assignment.h"
#include "core/HookPorts.h"
#include "core/MessageIds.h"
#include "core/ReleasePorts.h"
#include "core/SavePort.h"
#include "core/SlotOptions.h"
#include "core/SlotSet.h"
#include "core/SlotTable.h"
#include "core/TimerPort.h"
#include "core/ViewPorts.h"

namespace vela {

// The save timer's and the hide timer's delays (core/MessageIds.h has their ids).
inline constexpr std::uint32_t kSaveDelayMs = 10;
// "No Settings" waits longer so a quick follow-up choice still saves once.
inline constexpr std::uint32_t kSaveDelayAfterRevertMs = 1000;
inline constexpr std::uint32_t kHideDelayMs = 10;

// Where the executor finds the assignment a slot acts on now.
class AssignmentSource {
public:
    virtual ~AssignmentSource() = default;
    virtual const ButtonAssignment& assignmentFor(Slot slot) const = 0;
};

// Owns every slot's ButtonAssignment. All calls come from the user-interface
// thread. A slot's hook is in exactly while its assignment is remapped: a
// library is never installed twice nor removed when it is not installed.
class SlotModel final : public AssignmentSource {
public:
    // `release`, when given, lets go of what a slot's function holds down
    // before the slot changes (all of it before a reset).
    SlotModel(HookPort& hooks, ViewPort& view, TimerPort& timers, ReleasePort* release = nullptr);

    ButtonAssignment& at(Slot slot) { return slots_[slot]; }
    const ButtonAssignment& assignmentFor(Slot slot) const override { return at(slot); }
    const ButtonAssignment& at(Slot slot) const { return slots_[slot]; }

    // The slot whose menu is open (1..10), 0 when none.
    int activeSlot = 0;

    // Gives a function to a slot under `caption`. Choosing the slot's own
    // click makes it native again instead, under that caption. A macro keeps
    // the key the slot's function had, for the slot that sends it instead of
    // a script.
    void assign(Slot slot, const std::wstring& caption, Action function);

    // A description typed for a slot: shown under its caption and saved
    // shortly, as every change is.
    void setDescription(Slot slot, const std::wstring& description);

    // A per-slot option ("Hold While Pressed") on or off for the slot;
    // anything its function holds now is let go first.
    void setOption(Slot slot, const SlotOption& option, bool on);
    // The functions of the button's gestures, click, double click and long
    // press; what the slot holds is let go first, and a save follows.
    void setTriggers(Slot slot, const TriggerFunctions& triggers);

    // "No Settings": the native caption, the hook out, every value kept.
    void revertToNative(Slot slot);

    // Every slot native again, then an immediate save.
    void resetAll(SavePort& saver);

    // The slot's hook in (or out) as its assignment is remapped (or not);
    // no call when it already is.
    void followRemapped(Slot slot);
    // Whether the slot's hook is in now.
    bool hooked(Slot slot) const { return hooked_.has(slot); }

private:
    void setCaption(Slot slot, const std::wstring& caption);
    void makeNative(Slot slot, const std::wstring& caption);
    void finishChange(std::uint32_t saveDelayMs);

    HookPort& hooks_;
    ViewPort& view_;
    TimerPort& timers_;
    ReleasePort* release_;
    SlotArray<ButtonAssignment> slots_;
    SlotSet hooked_;
};

}  // namespace vela
