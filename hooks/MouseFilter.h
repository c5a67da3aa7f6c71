// Decides, for each low-level mouse event, whether an installed slot swallows
// it and how many activations it reports. Portable: the Win32 hook procedure
// translates the platform's event into a MouseInput and acts on the verdict.
#pragma once

#include <array>
#include <cstdint>

#include "core/MouseButtons.h"
#include "hooks/HookTypes.h"

namespace vela::hooks {

enum class MouseEventKind {
    Move,
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    MiddleDown,
    MiddleUp,
    XDown,
    XUp,
    Wheel,      // vertical: positive away from the user (up)
    TiltWheel,  // horizontal: negative left, positive right
    Other,
};

// One wheel notch.
inline constexpr int kNotch = 120;

struct MouseInput {
    MouseEventKind kind = MouseEventKind::Move;
    std::uint32_t xButton = 0;  // kXButton1/2 for XDown/XUp (core/MouseButtons.h)
    int wheelDelta = 0;         // signed, for Wheel/TiltWheel
    bool injected = false;
    int x = 0;  // where the pointer is, or is to go for a move, in physical pixels
    int y = 0;
};

// Lives on the hook thread; not thread-safe by design.
//
// - Buttons: the press is swallowed and reported, and the release that belongs
//   to a swallowed press is swallowed and reported as a release, even if the
//   slot was removed in between (a function held while the button is down
//   must come up); a press that went through natively keeps its release
//   native.
// - Wheel and tilt: one report per notch; a merged delta of 240 is two, and
//   fine-grained deltas add up until they make a notch.
// - Injected events (SendInput, our own executors included) are never
//   swallowed or reported: Vela's own clicks and notches pass its hooks, with
//   no hook lifted around them, however late the hook sees them.
class MouseFilter {
public:
    Verdict onEvent(const MouseInput& in, SlotSet installed);

    // True while a swallowed press still waits for its release: the hook must
    // stay in place until then, or the release would reach the system alone.
    bool holdsRelease() const;

private:
    Verdict onPress(MouseButton b, SlotSet installed);
    Verdict onRelease(MouseButton b);
    Verdict onWheel(int& accumulator, int delta, Trigger negative, Trigger positive,
                    SlotSet installed);

    std::array<bool, kMouseButtonCount> swallowedPress_{};
    int verticalRest_ = 0;
    int horizontalRest_ = 0;
};

}  // namespace vela::hooks
