#include "core/Profiles.h"

#include <algorithm>

#include "core/CaselessName.h"

namespace vela {

namespace {

// A profile lives in the settings section of its program's name, and a
// section's name reads back without the blanks at its ends.
std::wstring_view withoutEndBlanks(std::wstring_view name) {
    const std::size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return name.substr(first, name.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

bool sameProgram(std::wstring_view a, std::wstring_view b) {
    return sameCaseless(withoutEndBlanks(a), withoutEndBlanks(b));
}

ProgramProfile* ProfileSet::find(std::wstring_view program) {
    for (ProgramProfile& p : profiles_)
        if (sameProgram(p.program, program)) return &p;
    return nullptr;
}

const ProgramProfile* ProfileSet::find(std::wstring_view program) const {
    for (const ProgramProfile& p : profiles_)
        if (sameProgram(p.program, program)) return &p;
    return nullptr;
}

ProgramProfile& ProfileSet::add(std::wstring_view program) {
    if (ProgramProfile* existing = find(program)) return *existing;
    profiles_.push_back({std::wstring(program), {}, {}});
    return profiles_.back();
}

bool ProfileSet::remove(std::wstring_view program) {
    return std::erase_if(profiles_, [&](const ProgramProfile& p) {
               return sameProgram(p.program, program);
           }) > 0;
}

const ProgramProfile* ActiveAssignments::active() const {
    return foreground_.empty() ? nullptr : profiles_.find(foreground_);
}

const ButtonAssignment& ActiveAssignments::assignmentFor(Slot slot) const {
    const ProgramProfile* profile = active();
    if (profile && profile->sets(slot)) return *profile->slots[slot];
    return allPrograms_.at(slot);
}

SlotSet ActiveAssignments::overriddenSlots() const {
    const ProgramProfile* profile = active();
    SlotSet set;
    if (!profile) return set;
    for (const SlotInfo& info : kSlotTable)
        if (profile->sets(info.slot)) set.add(info.slot);
    return set;
}

SlotSet ActiveAssignments::overridesRemapped() const {
    const ProgramProfile* profile = active();
    SlotSet set;
    if (!profile) return set;
    for (const SlotInfo& info : kSlotTable) {
        const auto& a = profile->slots[info.slot];
        if (a && a->hookInstalled) set.add(info.slot);
    }
    return set;
}

void ProfileRuntime::foregroundChanged(std::wstring program) {
    const ProgramProfile* before = active_.active();
    active_.setForeground(std::move(program));
    if (active_.active() == before) return;
    apply();
}

void ProfileRuntime::profilesChanged() {
    apply();
}

void ProfileRuntime::apply() {
    // Every slot whose assignment may differ now lets go of what it holds:
    // those the profile before set, and those the one now sets.
    const SlotSet touched = applied_ | active_.overriddenSlots();
    applied_ = active_.overriddenSlots();
    if (release_) {
        for (const SlotInfo& info : kSlotTable)
            if (touched.has(info.slot)) release_->releaseSlot(info.slot);
    }
    hooks_.setOverrides(active_.overriddenSlots(), active_.overridesRemapped());
    if (scriptsChanged_) scriptsChanged_();
}

}  // namespace vela
