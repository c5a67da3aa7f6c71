#include "core/ProfileEditor.h"

namespace vela {

void ProfileEditor::edit(const std::wstring& program) {
    const ProgramProfile* profile = program.empty() ? nullptr : profiles_.find(program);
    layer_.reset();
    inherited_ = {};
    if (!profile) {
        editing_.clear();
        show(allPrograms_);
        view_.setProfileCaption(std::wstring(kAllProgramsText));
        return;
    }
    editing_ = profile->program;
    showOver(profile->slots, profile->notes);
    view_.setProfileCaption(editing_);
}

void ProfileEditor::editLayer(Slot button) {
    const Layer* layer = layers_ ? layers_->add(button) : nullptr;
    if (!layer) return edit(L"");
    editing_.clear();
    layer_ = button;
    showOver(layer->slots, layer->notes, button);
    view_.setProfileCaption(layerName(button));
}

void ProfileEditor::showOver(const SlotArray<std::optional<ButtonAssignment>>& slots,
                             const SlotArray<std::optional<std::wstring>>& notes,
                             std::optional<Slot> own) {
    inherited_ = {};
    for (const SlotInfo& info : kSlotTable) {
        ButtonAssignment& shown = profileModel_.at(info.slot);
        if (info.slot == own) {
            // A layer's button: its tap function, the button itself by default.
            shown = shownLayer()->tap;
            if (shown.caption.empty()) shown.caption = info.nativeCaption;
            continue;
        }
        const auto& set = slots[info.slot];
        shown = set ? *set : allPrograms_.at(info.slot);
        if (!set && notes[info.slot]) shown.description = *notes[info.slot];
        if (!set) inherited_.add(info.slot);
    }
    show(profileModel_);
}

void ProfileEditor::show(const SlotModel& model) {
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment& a = model.at(info.slot);
        view_.setCaption(info.slot,
                         a.caption.empty() ? std::wstring(info.nativeCaption) : a.caption);
        view_.setDescriptionLabel(info.slot,
                                  a.description.empty() ? defaultLabel(info.slot) : a.description);
        view_.setCaptionInherited(info.slot, inherits(info.slot));
    }
    view_.repaintCaptions();
}

const Layer* ProfileEditor::shownLayer() const {
    return layer_ && layers_ ? layers_->find(*layer_) : nullptr;
}

SlotSet ProfileEditor::layerButtons() const {
    SlotSet buttons;
    for (const SlotInfo& info : kSlotTable) {
        if (!canCarryLayer(info.trigger)) continue;
        bool layered = isLayerWhileHeld(allPrograms_.at(info.slot));
        for (const ProgramProfile& profile : profiles_.all()) {
            const auto& set = profile.slots[info.slot];
            layered = layered || (set && isLayerWhileHeld(*set));
        }
        if (layered) buttons.add(info.slot);
    }
    return buttons;
}

void ProfileEditor::create(const std::wstring& program) {
    if (program.empty()) return;
    profiles_.add(program);
    runtime_.profilesChanged();
    timers_.start(kSaveTimerId, kSaveDelayMs);
    edit(program);
}

void ProfileEditor::deleteEdited() {
    if (layer_) {
        layers_->remove(*layer_);
        if (layersChanged_) layersChanged_();
    } else if (!editing_.empty()) {
        profiles_.remove(editing_);
        runtime_.profilesChanged();
    } else {
        return;
    }
    timers_.start(kSaveTimerId, kSaveDelayMs);
    edit(L"");
}

void ProfileEditor::slotChanged(Slot slot) {
    if (layer_) {
        Layer* layer = layers_->find(*layer_);
        if (!layer) return;
        if (slot == layer->button) {
            layer->tap = profileModel_.at(slot);
        } else {
            layer->slots[slot] = profileModel_.at(slot);
            layer->notes[slot].reset();
        }
    } else if (!editing_.empty()) {
        ProgramProfile* profile = profiles_.find(editing_);
        if (!profile) return;
        // The note shown goes with the function.
        profile->slots[slot] = profileModel_.at(slot);
        profile->notes[slot].reset();
    } else {
        return;
    }
    if (inherits(slot)) {
        inherited_.remove(slot);
        view_.setCaptionInherited(slot, false);
        view_.repaintCaptions();
    }
    if (layer_) {
        if (layersChanged_) layersChanged_();
    } else {
        runtime_.profilesChanged();
    }
}

void ProfileEditor::editNote(Slot slot, const std::function<std::optional<std::wstring>()>& ask) {
    const Shown shown{editing_, layer_};
    const std::optional<std::wstring> note = ask();
    if (note) setNote(shown, slot, *note);
}

bool ProfileEditor::showsNoteOfAllPrograms(Slot slot) const {
    if (layer_) {
        const Layer* layer = shownLayer();
        return layer && slot != layer->button && !layer->slots[slot] && !layer->notes[slot];
    }
    if (editing_.empty()) return true;
    const ProgramProfile* profile = profiles_.find(editing_);
    return profile && !profile->slots[slot] && !profile->notes[slot];
}

void ProfileEditor::setNote(const Shown& shown, Slot slot, const std::wstring& note) {
    if (shown.layer) {
        Layer* layer = layers_ ? layers_->find(*shown.layer) : nullptr;
        if (!layer) return;
        if (slot == layer->button) {
            layer->tap.description = note;
        } else if (layer->slots[slot]) {
            layer->slots[slot]->description = note;
        } else {
            layer->notes[slot] = note;
        }
        if (layer_ == shown.layer) {
            profileModel_.at(slot).description = note;
            showNote(slot, note);
        }
    } else if (shown.program.empty()) {
        allPrograms_.at(slot).description = note;
        // Shown where the window shows "All Programs" or a profile or layer
        // that takes the note from it.
        if (showsNoteOfAllPrograms(slot)) {
            if (&model() == &profileModel_) profileModel_.at(slot).description = note;
            showNote(slot, note);
        }
    } else {
        ProgramProfile* profile = profiles_.find(shown.program);
        if (!profile) return;
        if (profile->slots[slot]) {
            profile->slots[slot]->description = note;
        } else {
            profile->notes[slot] = note;
        }
        if (!editing_.empty() && sameProgram(editing_, shown.program)) {
            profileModel_.at(slot).description = note;
            showNote(slot, note);
        }
    }
    timers_.start(kSaveTimerId, kSaveDelayMs);
}

void ProfileEditor::showNote(Slot slot, const std::wstring& note) {
    view_.setDescriptionLabel(slot, note.empty() ? defaultLabel(slot) : note);
}

std::wstring ProfileEditor::defaultLabel(Slot slot) const {
    return std::wstring(slot == layer_ ? kTapLabel : slotInfo(slot).defaultLabel);
}

}  // namespace vela
