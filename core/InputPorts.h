// Synthetic input: the record the platform takes, what sends records, and
// what tells the state around them (pointer, screens, clock, layout).
#pragma once

#include <cstdint>
#include <span>

#include "core/Geometry.h"

namespace vela {

// One synthetic input event, field for field the platform's INPUT record.
struct InputRecord {
    enum Type : std::uint32_t { Mouse = 0, Keyboard = 1 };

    std::uint32_t type = Mouse;
    // Mouse fields.
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::uint32_t mouseData = 0;
    // Keyboard fields.
    std::uint16_t virtualKey = 0;
    std::uint16_t scanCode = 0;
    // Shared fields.
    std::uint32_t flags = 0;
    std::uint32_t time = 0;
    std::uint64_t extraInfo = 0;

    bool operator==(const InputRecord&) const = default;
};

// What sends: batches of records and the pauses between them.
class InputSendPort {
public:
    virtual ~InputSendPort() = default;
    // One SendInput call with all the records, in order.
    virtual void send(std::span<const InputRecord> records) = 0;
    // Blocks the calling thread for `ms` milliseconds, as precisely as the
    // platform allows.
    virtual void sleepMs(std::uint32_t ms) = 0;
};

// What reads the state the records are made from.
class InputStatePort {
public:
    virtual ~InputStatePort() = default;
    virtual Point cursorPos() = 0;
    virtual Size primaryScreenSize() = 0;
    // The bounding box of all monitors.
    virtual Rect virtualScreen() = 0;
    virtual std::uint32_t tickCount() = 0;
    virtual std::uint64_t messageExtraInfo() = 0;
    // The scan code of a virtual key in the layout of the program in front
    // (0 for a key it has none for).
    virtual std::uint16_t scanCodeOf(std::uint16_t virtualKey) = 0;
    // Whether a key is down now, as the system's input has it.
    virtual bool keyDown(std::uint16_t virtualKey) = 0;
    // Whether a finger holds the key: once Vela sent it up the system has it
    // up, and only a hook watching the keyboard still knows. Between
    // watchKeys(true) and watchKeys(false) where the platform can tell; as
    // the system has it otherwise.
    virtual bool keyHeld(std::uint16_t virtualKey) { return keyDown(virtualKey); }
    virtual void watchKeys(bool /*on*/) {}
};

// Both, as one thread of input needs them: the platform's port, of which a
// playback thread gets one of its own.
class InputPort : public InputSendPort, public InputStatePort {};

}  // namespace vela
