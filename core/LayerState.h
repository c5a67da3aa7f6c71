// Which function each press goes to while a layer button is held, and what a
// layer button does when it comes up.
#pragma once

#include <cstdint>
#include <optional>

#include "core/LayerButton.h"
#include "core/OverlayStack.h"

namespace vela {

// How long a layer button may be held and still be a tap. A deliberate click
// of a side button is down for about 80 to 250 ms, a slow one up to 300. Any
// other input already spoils a tap, so this bound only decides a hold in
// which nothing was done: the user meant the layer and thought better of it,
// and a Back they did not ask for (a page left) costs more than a tap taken
// for a hold. Below the half second from which a press reads as held. The
// right and middle buttons keep their click however long they are held
// (layerKeepsOwnClick): a slow right click is an ordinary one.
inline constexpr std::uint32_t kLayerTapMaxMs = 400;

// What the layer state drives.
class LayerPort {
public:
    virtual ~LayerPort() = default;
    // The slot was pressed: act now on `function`, the one that applies to
    // this press; one that can be held stays down until release(slot).
    virtual void activate(Slot slot, const ButtonAssignment& function, std::uint32_t detail) = 0;
    // The slot's press is over: what its function holds comes up.
    virtual void release(Slot slot) = 0;
    // The hooks a held layer needs besides those of the base, put in when the
    // layer begins and taken out (an empty set) when it ends.
    virtual void setLayerHooks(SlotSet slots) = 0;
};

// Fed every report of a press and a release (with the tick it came at), it
// decides on the user-interface thread:
// - the press of a button whose assignment is "Layer While Held" starts its
//   layer and sends nothing; its release ends the layer and, for a tap, does
//   the tap function then (a press and its release at once);
// - a press goes to the function that acts for its slot at that moment, and
//   its release to that same function, whether the layer began or ended in
//   between;
// - one layer at a time: another layer button pressed inside it acts as a
//   plain button, by its tap function, unless the layer sets it.
// The press looks its function up in the overlay stack, whose held layer this
// sets, and hands it to the port; assignmentFor() keeps it for the press.
class LayerState final : public AssignmentSource {
public:
    LayerState(OverlayStack& stack, LayerPort& port) : stack_(stack), port_(port) {}

    // `detail` goes with the press to the port (what the hook said with it).
    void press(Slot slot, std::uint32_t tick, std::uint32_t detail = 0);
    void release(Slot slot, std::uint32_t tick);
    // Input of the mouse begun that no slot reported (a button pressed, the
    // wheel turned or tilted): a layer button held meanwhile is no longer
    // tapped.
    void otherInput();
    // The layer ends without a tap, and what the presses made inside a layer
    // hold comes up now; their releases, and the layer button's, do nothing
    // when they come. For whatever may take a release away or change what a
    // press meant: the watchdog's restore, pause, Exit, a switch of profile,
    // a change of a layer or of a layer button's assignment.
    void abandon();

    // The button whose layer is held now.
    std::optional<Slot> heldLayer() const { return stack_.heldLayer(); }

    // The function the slot's latest press went to.
    const ButtonAssignment& assignmentFor(Slot slot) const override { return function_[slot]; }

private:
    enum class Press : std::uint8_t {
        None,           // up, or an input without a release (wheel, tilt)
        Function,       // down, acting as it would without the layer
        LayerFunction,  // down, acting by the layer held at its press
        LayerButton,    // down, holding its layer
        LetGo,          // down, but what it held went up already
    };

    void startLayer(Slot button, std::uint32_t tick);
    void endLayer(bool tap);
    // The slot's press is over; a layer button's may count as a tap.
    void finish(Slot slot, bool tap);

    OverlayStack& stack_;
    LayerPort& port_;
    SlotArray<Press> pressed_;
    SlotArray<ButtonAssignment> function_;
    std::uint32_t layerPressTick_ = 0;
    // Whether the held layer's button taps however long it was held.
    bool tapsWhenHeldLong_ = false;
    bool tapSpoiled_ = false;
};

}  // namespace vela
