// When the watchdog puts the hooks back: the decision, apart from the calls
// that gather its inputs. Portable, like the filters.
#pragma once

namespace vela::hooks {

// What one watchdog round saw since the round before.
struct WatchdogRound {
    bool mouseHook = false;   // the mouse hook is in
    bool keyHook = false;     // the keyboard hook is in
    bool moved = false;       // the pointer is somewhere else
    bool input = false;       // the system's last-input time moved on
    bool mouseQuiet = false;  // the mouse hook was not called
    bool keysQuiet = false;   // the keyboard hook was not called
};

inline constexpr int kWatchdogSuspectRounds = 2;

// The system removes a low-level hook without notice when it once took too
// long to answer. Input that reached the system but none of our hooks gives
// that away: the pointer moved by input (not by a program's SetCursorPos)
// without the mouse hook seeing it, or input that was no move and that no
// hook saw. The second needs the mouse hook in: without it, a click or a wheel
// turn looks the same as a key the keyboard hook missed.
//
// A busy machine can show the pointer's new place before the hook has seen
// the move, so one such round proves nothing: only two rounds in a row count,
// and any round without suspicion starts the count again.
class WatchdogSuspicion {
public:
    // True when the hooks are to be put back after this round.
    bool restoreAfter(const WatchdogRound& r) {
        const bool mouseLost = r.mouseHook && r.moved && r.input && r.mouseQuiet;
        const bool keysLost =
            r.keyHook && r.mouseHook && r.input && !r.moved && r.mouseQuiet && r.keysQuiet;
        rounds_ = mouseLost || keysLost ? rounds_ + 1 : 0;
        if (rounds_ < kWatchdogSuspectRounds) return false;
        rounds_ = 0;
        return true;
    }

private:
    int rounds_ = 0;
};

}  // namespace vela::hooks
