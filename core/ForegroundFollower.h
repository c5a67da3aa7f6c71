// Which program is in front, for the per-program profiles: when to look and
// when to tell. The platform only says which window is in front, whose
// program a window is, and keeps a timer.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/OverlayKey.h"
#include "core/TimerPort.h"

namespace vela {

class ForegroundPort {
public:
    virtual ~ForegroundPort() = default;
    // The window in front now, as a number that tells windows apart; 0 for
    // none.
    virtual std::uintptr_t windowInFront() = 0;
    // The file name of the program `window` belongs to ("notepad.exe", ""
    // when that cannot be found), its class and its title.
    virtual WindowIdentity identityOf(std::uintptr_t window) = 0;
    // Its title alone, asked again of a window that stays in front.
    virtual std::wstring titleOf(std::uintptr_t window) = 0;
};

// A click's window may take its activation a while after the button comes
// up (the hook sees the click before the program does, and a busy system
// hands it on late): after a click the window in front is looked at now and
// again this long after it.
inline constexpr std::array<std::uint32_t, 8> kLooksAfterClickMs{0, 5, 10, 20, 40, 80, 160, 320};
// While no click is watched (Vela is off in the program in front) the window
// in front is looked at this often: where the system's foreground event does
// not reach Vela (Wine), nothing else would tell that the program went.
inline constexpr std::uint32_t kLookWhileBlindMs = 100;

// Tells which window is in front whenever that changes. The signals that
// something may have changed (the system's foreground event, a click, a
// remapped press about to act) all end in a look, and a look compares the
// window in front with the one of the last look: a signal that changes
// nothing costs one question, and the program's name is asked only of a new
// window. A look that is told titles matter asks the title too, so a window
// that renames itself (a browser's tab switch) is told as a change. Runs on
// the user-interface thread.
class ForegroundFollower {
public:
    using Changed = std::function<void(const WindowIdentity& window)>;

    // The looks after a click run on `timerId` of `timers`.
    ForegroundFollower(ForegroundPort& platform, TimerPort& timers, int timerId)
        : platform_(platform), timers_(timers), timerId_(timerId) {}

    // From now on `changed` hears of every change; it hears the window in
    // front now at once, whatever it is. Nothing is looked at before.
    void start(Changed changed);
    // A left, right or middle click went through: looks now and at each of
    // kLooksAfterClickMs after it, whatever the looks before found (the first
    // may see a window that came forward earlier, unseen, before the
    // click's own). A click during the looks starts them again.
    void clickSeen();
    // Whether the window in front is to be looked at every kLookWhileBlindMs
    // (no click is watched meanwhile), its title too; from the start on.
    void lookOften(bool often);
    // True for the looks' timer, which it has handled.
    bool onTimer(int timerId);
    // Looks at the window in front now (and with `titles` at its title);
    // true when it is another than at the last look, or renamed (and
    // `changed` has heard of it).
    bool check(bool titles = false);

private:
    ForegroundPort& platform_;
    TimerPort& timers_;
    int timerId_;
    Changed changed_;
    std::uintptr_t front_ = 0;
    WindowIdentity identity_;                       // of front_
    std::size_t look_ = kLooksAfterClickMs.size();  // the look after a click due next
    bool often_ = false;
};

}  // namespace vela
