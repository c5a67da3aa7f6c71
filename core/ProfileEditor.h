// Which overlay the main window shows and changes: "All Programs", a
// program's profile or a button's layer.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/Overlay.h"
#include "core/ProfileRuntime.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "core/TimerPort.h"
#include "core/ViewPorts.h"

namespace vela {

// Under a layer's button, where it has no note: what its caption there is.
inline constexpr std::wstring_view kTapLabel = L"When Tapped";

// While an overlay is edited the window shows a second slot model: the
// overlay's own assignments where it sets a slot, a copy of "All Programs"
// (dimmed) where it inherits. A change the menu makes to a slot of that model
// makes the slot the overlay's own. A layer's button shows the layer's tap
// function. All calls come from the user-interface thread.
class ProfileEditor {
public:
    // `profileModel` is the second model: its hooks port does nothing, the
    // runtime puts in the hooks of the profile in front.
    ProfileEditor(SlotModel& allPrograms, SlotModel& profileModel, OverlaySet& overlays,
                  ProfileRuntime& runtime, ViewPort& view, TimerPort& timers)
        : allPrograms_(allPrograms),
          profileModel_(profileModel),
          overlays_(overlays),
          runtime_(runtime),
          view_(view),
          timers_(timers) {}

    // `changed` hears of every change made to a layer (a held layer must end
    // before it acts otherwise).
    void onLayerChange(std::function<void()> changed) { layersChanged_ = std::move(changed); }

    // The overlay shown, none while "All Programs" is.
    const std::optional<OverlayKey>& shown() const { return shown_; }
    // The program's file name while its profile is edited, else "".
    std::wstring editing() const;
    // The button whose layer is edited, if one is.
    std::optional<Slot> editingLayer() const { return shown_ ? buttonOf(*shown_) : std::nullopt; }
    // The model the menu, the descriptions and "Hold While Pressed" change.
    SlotModel& model() { return shown_ ? profileModel_ : allPrograms_; }
    // Whether the slot shows what it inherits (only while an overlay is
    // edited).
    bool inherits(Slot slot) const { return inherited_.has(slot); }
    // The buttons whose function is "Layer While Held" in "All Programs" or
    // in any profile: the layers there are to edit.
    SlotSet layerButtons() const;

    // Shows the overlay, or "All Programs" for none. A program without a
    // profile shows "All Programs"; a button's layer is made (setting
    // nothing) when it has none.
    void editOverlay(const std::optional<OverlayKey>& key);
    // Shows `program`'s profile ("" for "All Programs").
    void edit(const std::wstring& program);
    // Makes `program`'s profile (setting nothing yet), saves, and edits it.
    void create(const std::wstring& program);
    // The same for a window profile (one naming only a program makes that
    // program's), or shows the one there is for `key`.
    void create(const OverlayKey& key);
    // Deletes the edited overlay, saves, and edits "All Programs".
    void deleteEdited();
    // Puts `overlay` in the set in place of any of its key (the key keeps the
    // spelling it has here), saves, and shows it again where it is shown; a
    // profile's acts at once where its program is in front.
    void put(const Overlay& overlay);
    // Whether Vela is off in the program or windows whose profile is edited;
    // none while no profile is.
    std::optional<bool> editedVelaOff() const;
    // Turns Vela off (or on again) where the profile edited acts,
    // saves, and acts at once where the program is in front.
    void setVelaOff(bool off);
    // The menu changed the slot in model(): it is the overlay's own from now
    // on (for a layer's button, its tap), and a profile's acts at once where
    // the program is in front.
    void slotChanged(Slot slot);
    // A click on the slot's description label: `ask` runs the entry and
    // gives the note confirmed, or nullopt when it was cancelled. The note
    // is the overlay's shown when the entry opened (the tray's Reset may
    // show "All Programs" before it closes), dropped when that overlay is
    // gone by then; in an overlay only the note becomes its own.
    void editNote(Slot slot, const std::function<std::optional<std::wstring>()>& ask);

private:
    // The profile model as the overlay over "All Programs", with its notes
    // for what it inherits; a layer's button shows its tap.
    void showOver(const Overlay& overlay);
    void show(const SlotModel& model);
    // The edited overlay changed: the profile in front or the held layer
    // must follow.
    void changed(const OverlayKey& key);
    // Whether the slot shows "All Programs"' note now.
    bool showsNoteOfAllPrograms(Slot slot) const;
    void setNote(const std::optional<OverlayKey>& shown, Slot slot, const std::wstring& note);
    void showNote(Slot slot, const std::wstring& note);
    // The slot's label without a note.
    std::wstring defaultLabel(Slot slot) const;

    SlotModel& allPrograms_;
    SlotModel& profileModel_;
    OverlaySet& overlays_;
    ProfileRuntime& runtime_;
    ViewPort& view_;
    TimerPort& timers_;
    std::function<void()> layersChanged_;
    std::optional<OverlayKey> shown_;
    SlotSet inherited_;
};

}  // namespace vela
