#include "core/ProfileEditor.h"

namespace vela {

void ProfileEditor::edit(const std::wstring& program) {
    const ProgramProfile* profile = program.empty() ? nullptr : profiles_.find(program);
    inherited_ = {};
    if (!profile) {
        editing_.clear();
        show(allPrograms_);
        view_.setProfileCaption(std::wstring(kAllProgramsText));
        return;
    }
    editing_ = profile->program;
    for (const SlotInfo& info : kSlotTable) {
        const auto& own = profile->slots[info.slot];
        ButtonAssignment& shown = profileModel_.at(info.slot);
        shown = own ? *own : allPrograms_.at(info.slot);
        if (!own && profile->notes[info.slot]) shown.description = *profile->notes[info.slot];
        if (!own) inherited_.add(info.slot);
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
    // The note shown goes with the function.
    profile->slots[slot] = profileModel_.at(slot);
    profile->notes[slot].reset();
    if (inherits(slot)) {
        inherited_.remove(slot);
        view_.setCaptionInherited(slot, false);
        view_.repaintCaptions();
    }
    runtime_.profilesChanged();
}

void ProfileEditor::editNote(Slot slot, const std::function<std::optional<std::wstring>()>& ask) {
    const std::wstring program = editing_;
    const std::optional<std::wstring> note = ask();
    if (note) setNote(program, slot, *note);
}

void ProfileEditor::setNote(const std::wstring& program, Slot slot, const std::wstring& note) {
    if (program.empty()) {
        allPrograms_.at(slot).description = note;
        // Shown where the window shows "All Programs" or a profile that takes
        // the note from it.
        const ProgramProfile* shown = editing_.empty() ? nullptr : profiles_.find(editing_);
        const bool inherited = shown && !shown->slots[slot] && !shown->notes[slot];
        if (inherited) profileModel_.at(slot).description = note;
        if (editing_.empty() || inherited) showNote(slot, note);
    } else {
        ProgramProfile* profile = profiles_.find(program);
        if (!profile) return;
        if (profile->slots[slot]) {
            profile->slots[slot]->description = note;
        } else {
            profile->notes[slot] = note;
        }
        if (!editing_.empty() && sameProgram(editing_, program)) {
            profileModel_.at(slot).description = note;
            showNote(slot, note);
        }
    }
    timers_.start(kSaveTimerId, kSaveDelayMs);
}

void ProfileEditor::showNote(Slot slot, const std::wstring& note) {
    view_.setDescriptionLabel(slot,
                              note.empty() ? std::wstring(slotInfo(slot).defaultLabel) : note);
}

}  // namespace vela
