#include "core/ProfileEditor.h"

namespace vela {

void ProfileEditor::edit(const std::wstring& program) {
    const ProgramProfile* profile = program.empty() ? nullptr : profiles_.find(program);
    inherited_ = 0;
    if (!profile) {
        editing_.clear();
        show(allPrograms_);
        view_.setProfileCaption(std::wstring(kAllProgramsText));
        return;
    }
    editing_ = profile->program;
    for (const SlotInfo& info : kSlotTable) {
        const auto& own = profile->slots[static_cast<std::size_t>(number(info.slot))];
        profileModel_.at(info.slot) = own ? *own : allPrograms_.at(info.slot);
        if (!own) inherited_ |= 1u << number(info.slot);
    }
    show(profileModel_);
    view_.setProfileCaption(editing_);
}

void ProfileEditor::show(const SlotModel& model) {
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment& a = model.at(info.slot);
        view_.setCaption(info.slot,
                         a.caption.empty() ? std::wstring(info.nativeCaption) : a.caption);
        view_.setDescriptionLabel(
            info.slot, a.description.empty() ? std::wstring(info.defaultLabel) : a.description);
        view_.setCaptionInherited(info.slot, inherits(info.slot));
    }
    view_.repaintCaptions();
}

void ProfileEditor::create(const std::wstring& program) {
    if (program.empty()) return;
    profiles_.add(program);
    runtime_.profilesChanged();
    timers_.start(kSaveTimerId, kSaveDelayMs);
    edit(program);
}

void ProfileEditor::deleteEdited() {
    if (editing_.empty()) return;
    profiles_.remove(editing_);
    runtime_.profilesChanged();
    timers_.start(kSaveTimerId, kSaveDelayMs);
    edit(L"");
}

void ProfileEditor::slotChanged(Slot slot) {
    if (editing_.empty()) return;
    ProgramProfile* profile = profiles_.find(editing_);
    if (!profile) return;
    profile->slots[static_cast<std::size_t>(number(slot))] = profileModel_.at(slot);
    if (inherits(slot)) {
        inherited_ &= ~(1u << number(slot));
        view_.setCaptionInherited(slot, false);
        view_.repaintCaptions();
    }
    runtime_.profilesChanged();
}

}  // namespace vela
