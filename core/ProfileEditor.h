// Which profile the main window shows and changes: "All Programs" or one
// program's.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/Layers.h"
#include "core/Profiles.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "core/TimerPort.h"
#include "core/ViewPorts.h"

namespace vela {

// The caption that names "All Programs" while it is edited.
inline constexpr std::wstring_view kAllProgramsText = L"All Programs";
// Under a layer's button, where it has no note: what its caption there is.
inline constexpr std::wstring_view kTapLabel = L"When Tapped";

// While a program's profile is edited the window shows a second slot model:
// the profile's own assignments where it sets a slot, a copy of "All
// Programs" (dimmed) where it inherits. A change the menu makes to a slot of
// that model makes the slot the profile's own. A button's layer is shown the
// same way, its button showing the layer's tap function. All calls come from
// the user-interface thread.
class ProfileEditor {
public:
    // `profileModel` is the second model: its hooks port does nothing, the
    // runtime puts in the hooks of the profile in front.
    ProfileEditor(SlotModel& allPrograms, SlotModel& profileModel, ProfileSet& profiles,
                  ProfileRuntime& runtime, ViewPort& view, TimerPort& timers)
        : allPrograms_(allPrograms),
          profileModel_(profileModel),
          profiles_(profiles),
          runtime_(runtime),
          view_(view),
          timers_(timers) {}

    // The layers to show and change; `changed` hears of every change made to
    // one (a held layer must end before it acts otherwise).
    void useLayers(LayerSet* layers, std::function<void()> changed) {
        layers_ = layers;
        layersChanged_ = std::move(changed);
    }

    // The program's file name while its profile is edited, else "".
    const std::wstring& editing() const { return editing_; }
    // The button whose layer is edited, if one is.
    std::optional<Slot> editingLayer() const { return layer_; }
    // The model the menu, the descriptions and "Hold While Pressed" change.
    SlotModel& model() { return editing_.empty() && !layer_ ? allPrograms_ : profileModel_; }
    // Whether the slot shows what it inherits (only while a profile or a
    // layer is edited).
    bool inherits(Slot slot) const { return inherited_.has(slot); }
    // The buttons whose function is "Layer While Held" in "All Programs" or
    // in any profile: the layers there are to edit.
    SlotSet layerButtons() const;

    // Shows `program`'s profile ("" for "All Programs"); one it has none of
    // shows "All Programs" instead.
    void edit(const std::wstring& program);
    // Makes `program`'s profile (setting nothing yet), saves, and edits it.
    void create(const std::wstring& program);
    // Shows the button's layer (made, setting nothing, when it has none).
    void editLayer(Slot button);
    // Deletes the edited profile or layer, saves, and edits "All Programs".
    void deleteEdited();
    // The menu changed the slot in model(): in a profile it is the
    // profile's own from now on, and acts at once where the program is in
    // front; in a layer it is the layer's (the tap, for its button).
    void slotChanged(Slot slot);
    // A click on the slot's description label: `ask` runs the entry and
    // gives the note confirmed, or nullopt when it was cancelled. The note
    // is the profile's shown when the entry opened (the tray's Reset may
    // show "All Programs" before it closes), dropped when that profile is
    // gone by then; in a profile only the note becomes its own.
    void editNote(Slot slot, const std::function<std::optional<std::wstring>()>& ask);

private:
    // What the window shows: a program's profile, a layer, or neither
    // ("All Programs").
    struct Shown {
        std::wstring program;
        std::optional<Slot> layer;
    };

    // The profile model as `slots` over "All Programs", with `notes` for
    // what it inherits; `own` shows as it is, not inherited.
    void showOver(const SlotArray<std::optional<ButtonAssignment>>& slots,
                  const SlotArray<std::optional<std::wstring>>& notes,
                  std::optional<Slot> own = std::nullopt);
    void show(const SlotModel& model);
    const Layer* shownLayer() const;
    // Whether the slot shows "All Programs"' note now.
    bool showsNoteOfAllPrograms(Slot slot) const;
    void setNote(const Shown& shown, Slot slot, const std::wstring& note);
    void showNote(Slot slot, const std::wstring& note);
    // The slot's label without a note.
    std::wstring defaultLabel(Slot slot) const;

    SlotModel& allPrograms_;
    SlotModel& profileModel_;
    ProfileSet& profiles_;
    ProfileRuntime& runtime_;
    ViewPort& view_;
    TimerPort& timers_;
    LayerSet* layers_ = nullptr;
    std::function<void()> layersChanged_;
    std::wstring editing_;
    std::optional<Slot> layer_;
    SlotSet inherited_;
};

}  // namespace vela
