#include "core/ProfileEditor.h"

#include "core/LayerButton.h"

namespace vela {

std::wstring ProfileEditor::editing() const {
    const std::wstring* program = shown_ ? programOf(*shown_) : nullptr;
    return program ? *program : std::wstring();
}

void ProfileEditor::edit(const std::wstring& program) {
    editOverlay(program.empty() ? std::nullopt : std::optional<OverlayKey>(ProgramKey{program}));
}

void ProfileEditor::editOverlay(const std::optional<OverlayKey>& key) {
    const Overlay* overlay = nullptr;
    if (const std::optional<Slot> button = key ? buttonOf(*key) : std::nullopt) {
        if (canCarryLayer(slotInfo(*button).trigger)) overlay = &overlays_.add(*key);
    } else if (key) {
        overlay = overlays_.find(*key);
    }
    inherited_ = {};
    if (!overlay) {
        shown_.reset();
        show(allPrograms_);
        view_.setProfileCaption(std::wstring(kAllProgramsText));
        return;
    }
    shown_ = overlay->key;
    showOver(*overlay);
    view_.setProfileCaption(overlayName(overlay->key));
}

void ProfileEditor::showOver(const Overlay& overlay) {
    const std::optional<Slot> button = buttonOf(overlay.key);
    for (const SlotInfo& info : kSlotTable) {
        ButtonAssignment& shown = profileModel_.at(info.slot);
        if (info.slot == button) {
            // A layer's button: its tap function, the button itself by default.
            shown = tapOf(&overlay);
            if (shown.caption.empty()) shown.caption = info.nativeCaption;
            continue;
        }
        const auto& set = overlay.slots[info.slot];
        shown = set ? *set : allPrograms_.at(info.slot);
        if (!set && overlay.notes[info.slot]) shown.description = *overlay.notes[info.slot];
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

SlotSet ProfileEditor::layerButtons() const {
    SlotSet buttons;
    for (const SlotInfo& info : kSlotTable) {
        if (!canCarryLayer(info.trigger)) continue;
        bool layered = isLayerWhileHeld(allPrograms_.at(info.slot));
        for (const Overlay* profile : overlays_.profiles()) {
            const auto& set = profile->slots[info.slot];
            layered = layered || (set && isLayerWhileHeld(*set));
        }
        if (layered) buttons.add(info.slot);
    }
    return buttons;
}

void ProfileEditor::create(const std::wstring& program) {
    if (program.empty()) return;
    create(OverlayKey(ProgramKey{program}));
}

void ProfileEditor::create(const OverlayKey& key) {
    if (!isProfile(key)) return;
    if (const WindowKey* window = windowOf(key);
        window && window->windowClass.empty() && window->title.empty()) {
        // A program alone is a program's profile.
        if (!window->program.empty()) create(window->program);
        return;
    }
    overlays_.add(key);
    runtime_.profilesChanged();
    timers_.start(kSaveTimerId, kSaveDelayMs);
    editOverlay(key);
}

void ProfileEditor::deleteEdited() {
    if (!shown_) return;
    const OverlayKey key = *shown_;
    overlays_.remove(key);
    changed(key);
    timers_.start(kSaveTimerId, kSaveDelayMs);
    editOverlay(std::nullopt);
}

void ProfileEditor::put(const Overlay& overlay) {
    Overlay& kept = overlays_.add(overlay.key);
    kept.slots = overlay.slots;
    kept.notes = overlay.notes;
    kept.velaOff = overlay.velaOff;
    changed(kept.key);
    timers_.start(kSaveTimerId, kSaveDelayMs);
    if (shown_ && sameKey(*shown_, kept.key)) editOverlay(std::optional<OverlayKey>(kept.key));
}

std::optional<bool> ProfileEditor::editedVelaOff() const {
    const Overlay* overlay = shown_ && isProfile(*shown_) ? overlays_.find(*shown_) : nullptr;
    return overlay ? std::optional<bool>(overlay->velaOff) : std::nullopt;
}

void ProfileEditor::setVelaOff(bool off) {
    Overlay* overlay = shown_ && isProfile(*shown_) ? overlays_.find(*shown_) : nullptr;
    if (!overlay || overlay->velaOff == off) return;
    overlay->velaOff = off;
    changed(overlay->key);
    timers_.start(kSaveTimerId, kSaveDelayMs);
}

void ProfileEditor::slotChanged(Slot slot) {
    Overlay* overlay = shown_ ? overlays_.find(*shown_) : nullptr;
    if (!overlay) return;
    // The note shown goes with the function.
    overlay->slots[slot] = profileModel_.at(slot);
    overlay->notes[slot].reset();
    if (inherits(slot)) {
        inherited_.remove(slot);
        view_.setCaptionInherited(slot, false);
        view_.repaintCaptions();
    }
    changed(overlay->key);
}

void ProfileEditor::changed(const OverlayKey& key) {
    if (!buttonOf(key)) {
        runtime_.profilesChanged();
    } else if (layersChanged_) {
        layersChanged_();
    }
}

void ProfileEditor::editNote(Slot slot, const std::function<std::optional<std::wstring>()>& ask) {
    const std::optional<OverlayKey> shown = shown_;
    const std::optional<std::wstring> note = ask();
    if (note) setNote(shown, slot, *note);
}

bool ProfileEditor::showsNoteOfAllPrograms(Slot slot) const {
    if (!shown_) return true;
    const Overlay* overlay = overlays_.find(*shown_);
    return overlay && slot != buttonOf(overlay->key) && !overlay->slots[slot] &&
           !overlay->notes[slot];
}

void ProfileEditor::setNote(const std::optional<OverlayKey>& shown, Slot slot,
                            const std::wstring& note) {
    if (!shown) {
        allPrograms_.at(slot).description = note;
        // Shown where the window shows "All Programs" or an overlay that
        // takes the note from it.
        if (showsNoteOfAllPrograms(slot)) {
            if (&model() == &profileModel_) profileModel_.at(slot).description = note;
            showNote(slot, note);
        }
    } else {
        Overlay* overlay = overlays_.find(*shown);
        if (!overlay) return;
        auto& set = overlay->slots[slot];
        // A layer's button has no inherited function to leave alone: its
        // note goes with its tap, the button's own input by default.
        if (!set && slot == buttonOf(overlay->key)) set.emplace();
        if (set) {
            set->description = note;
        } else {
            overlay->notes[slot] = note;
        }
        if (shown_ && sameKey(*shown_, *shown)) {
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
    return std::wstring(slot == editingLayer() ? kTapLabel : slotInfo(slot).defaultLabel);
}

}  // namespace vela
