// What acts for each slot, looked up in one order from the top:
//   1. the layer of the button held, where it sets the slot;
//   2. the profile of the window in front (for the wheel and tilt, of the
//      window under the pointer, where the user chose so), where it sets the
//      slot;
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

    // The window now in front; all empty for none.
    void setForeground(WindowIdentity window) {
        foreground_ = std::move(window);
        tell();
    }
    // The window under the pointer as a wheel or tilt slot is pressed, while
    // those follow it; none for the window in front.
    void setUnderPointer(std::optional<WindowIdentity> window) {
        underPointer_ = std::move(window);
    }
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

    const OverlaySet& overlays() const { return overlays_; }
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
    WindowIdentity foreground_;
    std::optional<WindowIdentity> underPointer_;
    std::optional<Slot> heldLayer_;
    OverlayListener* listener_ = nullptr;
};

}  // namespace vela
