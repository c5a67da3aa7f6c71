// What acts for each slot, looked up in one order from the top:
//   1. the layer of the button held, where it sets the slot;
//   2. the profile of the program in front, where it sets the slot;
//   3. "All Programs".
// Pause sits above all of it, in the hooks (core/PausableHooks.h): a slot
// whose hook is out reports no press to look up.
#pragma once

#include <optional>
#include <string>

#include "core/Overlay.h"
#include "core/OverlayNotice.h"
#include "core/SlotModel.h"

namespace vela {

// What the profile menu calls the assignments that apply without a profile.
inline constexpr std::wstring_view kAllProgramsText = L"All Programs";

class OverlayStack final : public AssignmentSource {
public:
    OverlayStack(const AssignmentSource& allPrograms, const OverlaySet& overlays)
        : allPrograms_(allPrograms), overlays_(overlays) {}

    // The program now in front (its file name); "" for none.
    void setForeground(std::wstring program) {
        foreground_ = std::move(program);
        tell();
    }
    const std::wstring& foreground() const { return foreground_; }
    // The button whose layer is held, or none. A button without a layer puts
    // none on top.
    void setHeldLayer(std::optional<Slot> button) {
        heldLayer_ = button;
        tell();
    }
    std::optional<Slot> heldLayer() const { return heldLayer_; }

    // `listener` hears what applies after every move above (nullptr: none).
    void listen(OverlayListener* listener) { listener_ = listener; }
    // What applies now, as the profile menu names it: the held button's
    // layer, else the program's profile, else "All Programs".
    std::wstring appliesName() const;

    // The overlays in the stack now, or nullptr.
    const Overlay* layer() const;
    const Overlay* profile() const;

    const ButtonAssignment& assignmentFor(Slot slot) const override;
    // What a tap of the button does: its layer's tap function, or its own
    // input when it has no layer.
    const ButtonAssignment& tapOf(Slot button) const;
    // The slots the layer remaps and those below it do not: their hooks must
    // be in while the layer is held, and only then.
    SlotSet layerHooksAdded() const;

private:
    // The slot's function from the profile down, as if no layer were held.
    const ButtonAssignment& belowLayer(Slot slot) const;
    void tell() const {
        if (listener_) listener_->nowApplies(appliesName());
    }

    const AssignmentSource& allPrograms_;
    const OverlaySet& overlays_;
    std::wstring foreground_;
    std::optional<Slot> heldLayer_;
    OverlayListener* listener_ = nullptr;
};

}  // namespace vela
