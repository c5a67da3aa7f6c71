// The ledger of what Vela's synthetic input holds down: every key and button
// pressed and not yet released, with who pressed it. Whatever ends a function
// early (Exit, Reset, a new assignment, the end of the session, a script that
// forgot its KeyUp) lets go of it through here, so no key stays down.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "core/InputPorts.h"
#include "core/SlotTable.h"

namespace vela {

// Who pressed: the functions run on the user-interface thread, a slot's
// playback thread, or a playback timer's script on the user-interface thread.
using InputOwner = int;
inline constexpr InputOwner kFunctionsOwner = 0;
inline InputOwner playbackOwner(Slot slot) {
    return 1 + number(slot);
}
inline InputOwner heldFunctionOwner(Slot slot) {
    return 50 + number(slot);
}
inline InputOwner timerScriptOwner(int position) {
    return 100 + position;
}

// Thread-safe: playback threads and the user-interface thread write it. The
// lock is a spin lock (the toolchain's threads have no std::mutex), held only
// for a few vector operations.
class HeldInputs {
public:
    // Takes note of records as they are sent: a press adds an entry, a release
    // removes every entry of that key or button, whoever pressed it, since
    // the system has it up now.
    void noteSent(InputOwner owner, std::span<const InputRecord> records);

    // The releases of everything `owner` holds, last pressed first, and the
    // entries gone. A key that another owner holds as well stays down for it.
    std::vector<InputRecord> takeReleases(InputOwner owner);
    // The releases of everything anyone holds, last pressed first.
    std::vector<InputRecord> takeAllReleases();

    bool holdsAnything() const;
    // Whether anyone holds the key down; a generic Shift, Control or Alt
    // held counts as the left one, which the system takes it for.
    bool holdsKey(std::uint16_t virtualKey) const;

private:
    struct Entry {
        InputOwner owner;
        InputRecord press;
    };
    class Lock {
    public:
        explicit Lock(std::atomic_flag& flag);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        std::atomic_flag& flag_;
    };

    std::vector<InputRecord> takeWhere(bool everyOwner, InputOwner owner);

    mutable std::atomic_flag busy_ = ATOMIC_FLAG_INIT;
    std::vector<Entry> held_;
};

// The release record of a press record (the same key, or the same button's
// up without any move), or nothing for a record that presses nothing.
std::optional<InputRecord> releaseOf(const InputRecord& press);

// Whether the record makes something happen as a press does: a key or
// button down, a typed character (both its halves), a wheel notch. What a
// stopped sender no longer sends; releases and moves are not.
bool pressesSomething(const InputRecord& record);

}  // namespace vela
