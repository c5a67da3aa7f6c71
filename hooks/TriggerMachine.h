// What a held button with triggers did: a gesture, a scroll, a long press, a
// double click, a layer button's own drag, or a plain click. One state
// machine per button, fed the button's physical presses and releases, the
// pointer's moves while one is held and the hook thread's timer.
//
// - A button without triggers (`ButtonTriggers::any`) is not taken: its
//   press goes to the remapping and acts at once, as ever. Nothing waits
//   unless a Double Click function is set, and then only as long as the
//   system's double-click time.
// - A taken press is swallowed, and so is its release. While a gesture or a
//   scroll may be under way the moves are swallowed too: the pointer stays
//   where the press was, and nothing is dragged or hovered. A move the hook
//   swallowed never moved the pointer, so each move's point less the press's
//   is that move's own step.
// - Gestures: the first move past the distance decides (straight enough, or
//   nothing at all), at once; a repeating direction fires again for each
//   further distance in it. Released without that, the button clicks.
// - Drag to scroll: past the distance, movement becomes wheel notches (down
//   the screen scrolls down, right scrolls right), along both axes or the
//   first one moved along. Released without that, the button clicks.
// - A long press fires while the button is still held; a double click fires
//   at the second press. Where either is set, the click waits for the
//   release (and, with a double click, for the double-click time).
// - A click is the button's own input replayed (`ownClick`), or the slot's
//   one activation and its release.
// - A layer button's press is its activation, at once, as ever. Moved past
//   the distance with no other input used, its own press is replayed and the
//   drag goes through; pressed again soon after a tap, its own press passes
//   and so does its release.
// - Nothing fires after a release but the click; whatever ends the machine's
//   state (`reset`) sends every replayed press its release and tells every
//   activation's release.
//
// Lives on the hook thread; not thread-safe by design.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/ButtonTriggers.h"
#include "core/SlotSet.h"
#include "hooks/MouseSends.h"
#include "hooks/Ticks.h"
#include "hooks/TriggerTimings.h"

namespace vela::hooks {

struct TriggerConfig {
    TriggerSet buttons;
    std::uint32_t dpi = 96;
    Tick doubleClickMs = TriggerTimings::kDefaultDoubleClickMs;
    bool operator==(const TriggerConfig&) const = default;
};

// What the listener (or, for the activation, the slot's own message) hears.
enum class TriggerFire : std::uint8_t {
    Activation,  // the slot's one activation: its click function, or its layer
    Release,     // what that activation holds comes up
    GestureUp,
    GestureDown,
    GestureLeft,
    GestureRight,
    LongPress,
    DoubleClick,
    OwnDrag,  // a layer button's own press was replayed: its layer ends untapped
};

constexpr TriggerFire gestureFire(GestureDirection d) {
    return static_cast<TriggerFire>(static_cast<int>(TriggerFire::GestureUp) + static_cast<int>(d));
}

struct Fired {
    TriggerFire what = TriggerFire::Activation;
    Slot slot = Slot::R;
    bool operator==(const Fired&) const = default;
};
using FiredList = FixedList<Fired, 2 * kMouseButtonCount>;

struct TriggerOutcome {
    bool taken = false;  // the machine decided the event; the remapping does not see it
    bool swallow = false;
    FiredList fired;
    MouseSends send;
};

class TriggerMachine {
public:
    // New settings: a button whose row changed lets go (`reset`) and
    // swallows the release of a press it took; the others go on.
    TriggerOutcome configure(const TriggerConfig& config);

    // A physical press or release at the point (x, y).
    TriggerOutcome onButton(MouseButton b, bool down, int x, int y, Tick time, SlotSet installed);
    // A pointer move; call only while `tracksMoves`.
    TriggerOutcome onMove(int x, int y);
    // A press of another button than `pressed` (none for a notch or a
    // tilt): a held layer button's layer was used, and no button's last
    // press is a tap any more.
    void onOtherInput(std::optional<MouseButton> pressed);
    // Whether the button's press was the machine's and its release is due.
    bool holds(MouseButton b) const;

    // Whether a held button wants the pointer's moves: without, a move is
    // none of the machine's business.
    bool tracksMoves() const { return movesTracked_ != 0; }
    // Whether a release still has to come through the hook.
    bool holdsRelease() const;

    std::optional<Tick> nextDue() const;
    TriggerOutcome due(Tick now);

    // Nothing held any more: replayed presses come up, activations are
    // released, a click waiting for a second one is forgotten.
    TriggerOutcome reset();

    const TriggerConfig& config() const { return config_; }

private:
    enum class Phase : std::uint8_t {
        Idle,
        Deciding,     // held: the move and the time decide
        Gesture,      // held: a direction fired, its repeats may follow
        Spent,        // held: nothing more fires (a move astray, a long press)
        Scrolling,    // held: moves become notches
        LayerHeld,    // held: the layer is on, the pointer waits for a drag
        LayerUsed,    // held: the layer's inputs were used, moves pass
        OwnDrag,      // held: its own press replayed, moves pass
        OwnPress,     // held: its own press passed, its release passes too
        AwaitSecond,  // up: a press within the double-click time is a double click
        Second,       // held: the second press of a double click
    };
    struct Button {
        Phase phase = Phase::Idle;
        bool pointerHeld = false;
        Slot slot = Slot::R;
        Tick since = 0;  // the press; awaiting a second press, the release
        int anchorX = 0;
        int anchorY = 0;
        int movedX = 0;  // since the press, while deciding; the rest, scrolling
        int movedY = 0;
        GestureDirection direction = GestureDirection::Up;
        int scrollAxis = 0;   // 0 both, 1 horizontal, 2 vertical
        bool tapped = false;  // a layer button's last press was a tap
        Tick tappedAt = 0;
    };

    void press(MouseButton b, Button& s, Slot slot, int x, int y, Tick time, TriggerOutcome& out);
    void release(MouseButton b, Button& s, Tick time, TriggerOutcome& out);
    void letGo(MouseButton b, Button& s, TriggerOutcome& out);
    void click(MouseButton b, Button& s, TriggerOutcome& out) const;
    void moveDeciding(MouseButton b, Button& s, int dx, int dy, TriggerOutcome& out);
    void moveGesture(MouseButton b, Button& s, int dx, int dy, TriggerOutcome& out);
    void moveScrolling(MouseButton b, Button& s, int dx, int dy, TriggerOutcome& out);
    void enter(Button& s, Phase phase, bool pointerHeld);
    const ButtonTriggers& triggers(MouseButton b) const { return config_.buttons.of(b); }
    int distance() const { return scaledToDpi(TriggerTimings::kMoveDistance96, config_.dpi); }

    TriggerConfig config_;
    std::array<Button, kMouseButtonCount> buttons_{};
    int movesTracked_ = 0;  // buttons holding the pointer
};

}  // namespace vela::hooks
