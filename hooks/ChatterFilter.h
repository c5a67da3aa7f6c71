// Keeps a worn switch's chatter away from programs. A chattering switch opens
// and closes again for a moment: one click arrives as two, or a held button
// lets go for a few milliseconds and a drag drops. The low-level hook cannot
// delay an event; it can only swallow it and later send one of its own.
//
// - A press is never delayed. It passes at once, or it is swallowed as a
//   bounce when it follows the button's own release within the button's
//   threshold (at most: a press exactly at the threshold is a bounce).
// - Once a button has bounced, its release is held back for a short release
//   window, 16 ms (never more than the threshold), then the hook thread's
//   timer sends it (`due`). A press in that window takes it back: both are
//   swallowed and the hold goes on. Most release bounces last one or two of
//   the mouse's reports (8 ms at 125 Hz), and event times move in steps of
//   the system tick (15.6 ms), so 16 ms catches a bounce whose halves are
//   stamped a tick apart.
// - A healthy switch never needs the window, and holding every release would
//   make each one 16 ms late. So a button starts without it: its releases
//   pass at once until the first press that comes within the window's length
//   after a release that passed, the bounce the window would have caught.
//   That press passes too (the program sees the button come up and go down
//   again: one dropped drag), and from then on the button's window stays on
//   while Vela runs, through resets and new settings.
// - A press after the window but within the threshold is a bounce whose
//   release has already gone out: it is swallowed together with its own
//   release, so the program sees one click that ended a little early rather
//   than two.
//   Holding every release back for the whole threshold would spare that rule
//   but make every release, and with it every control that acts on release,
//   50 ms late; 16 ms is one frame. The price of the window: pointer moves of
//   those 16 ms arrive before the release.
// - Any event of another button first lets the held release go
//   (`releaseFirst`), so programs see the buttons in the order they moved
//   (chords, rocker gestures); at most one release is ever held.
//
// In the hook, the filter comes before the remapping (MouseFilter): a bounce
// of a remapped button must not fire its function twice. Every release the
// filter hands back (`releaseFirst`, `due`, `reset`, `configure`) goes through
// the MouseFilter as a physical release, so a remapped button reports its
// release as usual, and is sent only when that lets it pass. Injected events
// pass untouched, the ones the hook sends itself included.
//
// Lives on the hook thread; not thread-safe by design.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/MouseTuning.h"
#include "hooks/Ticks.h"

namespace vela::hooks {

inline constexpr std::uint32_t kReleaseWindowMs = 16;

struct ButtonEvent {
    MouseButton button = MouseButton::Left;
    bool down = false;
    Tick time = 0;
    bool injected = false;
};

struct ChatterVerdict {
    std::optional<MouseButton> releaseFirst;  // send this release before the event
    bool swallow = false;
    bool operator==(const ChatterVerdict&) const = default;
};

class ChatterFilter {
public:
    // Takes the buttons' settings; starts afresh, as `reset`.
    std::optional<MouseButton> configure(const MouseTuning& tuning);

    ChatterVerdict onEvent(const ButtonEvent& e);

    // When the timer is to call `due` next, if a release is held.
    std::optional<Tick> nextDue() const;
    // The held release, once its window is over at `now`.
    std::optional<MouseButton> due(Tick now);

    // Forgets every button's state and hands back the held release, to be
    // sent now: after the hooks were lost and put back (a release may have
    // gone by unseen) or when the settings change. A press it swallowed then
    // has its release pass alone, which the system takes in its stride.
    std::optional<MouseButton> reset();

    // The held release, now, before its window is over: before the hooks or
    // the process go. Unlike `reset`, every button keeps its state.
    std::optional<MouseButton> letGo() { return letHeldGo(); }

    // Bounces filtered so far: swallowed release-and-press pairs.
    std::uint32_t bounces(MouseButton b) const { return buttons_[indexOf(b)].bounces; }
    // Whether the button's releases wait out the window: since its first bounce.
    bool releaseWindowOn(MouseButton b) const { return buttons_[indexOf(b)].windowOn; }

private:
    // What the program sees against what the switch does.
    enum class State : unsigned char {
        Up,
        Down,
        ReleaseHeld,  // up, the program still sees it down: `held_`
        BounceDown,   // down, the program sees it up
    };
    struct Button {
        State state = State::Up;
        std::optional<Tick> lastRelease;
        bool releasePassed = false;  // the last release went out at once, unheld
        std::uint32_t bounces = 0;
        bool windowOn = false;
    };
    struct Held {
        MouseButton button;
        Tick since;
    };

    bool onPress(MouseButton b, Tick t, ChatterVerdict& v);
    bool onRelease(MouseButton b, Tick t);
    std::optional<MouseButton> letHeldGo();
    std::uint32_t threshold(MouseButton b) const;
    std::uint32_t window(MouseButton b) const;

    std::array<ButtonChatter, kMouseButtonCount> settings_{};
    std::array<Button, kMouseButtonCount> buttons_{};
    std::optional<Held> held_;
};

}  // namespace vela::hooks
