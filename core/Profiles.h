// Per-program profiles: a program's own assignments for some slots, which
// act instead of "All Programs" while that program is in front.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Assignment.h"
#include "core/PausableHooks.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "core/SlotTable.h"

namespace vela {

// The slots a program sets; every other slot inherits "All Programs". A set
// slot that is not remapped leaves its input alone in that program.
struct ProgramProfile {
    std::wstring program;  // the program's file name as shown, "notepad.exe"
    SlotArray<std::optional<ButtonAssignment>> slots;
    // The profile's own note for a slot whose function it inherits; a slot it
    // sets has its note in its assignment.
    SlotArray<std::optional<std::wstring>> notes;

    bool sets(Slot slot) const { return slots[slot].has_value(); }
};

// File names compare as the file system does: without regard to case. Names
// that differ only by blanks at their ends share a section of the settings
// file, so they are one program's too.
bool sameProgram(std::wstring_view a, std::wstring_view b);

class ProfileSet {
public:
    const std::vector<ProgramProfile>& all() const { return profiles_; }
    ProgramProfile* find(std::wstring_view program);
    const ProgramProfile* find(std::wstring_view program) const;
    // The program's profile, made (setting nothing) when it has none.
    ProgramProfile& add(std::wstring_view program);
    bool remove(std::wstring_view program);

private:
    std::vector<ProgramProfile> profiles_;
};

// What acts for each slot while a given program is in front: its profile's
// assignment for the slots the profile sets, "All Programs" for the rest.
class ActiveAssignments final : public AssignmentSource {
public:
    ActiveAssignments(const SlotModel& allPrograms, const ProfileSet& profiles)
        : allPrograms_(allPrograms), profiles_(profiles) {}

    // The program now in front (its file name); "" for none.
    void setForeground(std::wstring program) { foreground_ = std::move(program); }
    const std::wstring& foreground() const { return foreground_; }
    // Its profile, or nullptr.
    const ProgramProfile* active() const;

    const ButtonAssignment& assignmentFor(Slot slot) const override;
    // The slots the active profile sets, and which of them it remaps: the
    // hooks follow these instead of "All Programs".
    SlotSet overriddenSlots() const;
    SlotSet overridesRemapped() const;

private:
    const SlotModel& allPrograms_;
    const ProfileSet& profiles_;
    std::wstring foreground_;
};

// Follows the program in front: the hooks of the slots its profile sets
// follow the profile, and what a slot held down goes up when the slot's
// assignment changes with the switch. Runs on the user-interface thread.
class ProfileRuntime {
public:
    // `scriptsChanged` hears of a switch that may give a slot another script.
    ProfileRuntime(ActiveAssignments& active, PausableHooks& hooks, ReleasePort* release,
                   std::function<void()> scriptsChanged)
        : active_(active),
          hooks_(hooks),
          release_(release),
          scriptsChanged_(std::move(scriptsChanged)) {}

    // The foreground event: `program` is the file name of the program now in
    // front.
    void foregroundChanged(std::wstring program);
    // A profile was made, edited, deleted or read: the one in front applies
    // again.
    void profilesChanged();

private:
    void apply();

    ActiveAssignments& active_;
    PausableHooks& hooks_;
    ReleasePort* release_;
    std::function<void()> scriptsChanged_;
    SlotSet applied_;  // the slots the profile last applied sets
};

}  // namespace vela
