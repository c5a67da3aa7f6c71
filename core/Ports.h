// The small interfaces through which portable code reaches the platform.
//
// On Windows each is a thin adapter over the system call of the same name; in
// the native tests each is a recorder that keeps every call for inspection.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/SlotTable.h"

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

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Size&) const = default;
};

// A rectangle by its top-left corner and size (the platform's virtual screen
// metrics come in this form).
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// Input synthesis and the clocks that go with it.
class InputPort {
public:
    virtual ~InputPort() = default;
    // One SendInput call with all the records, in order.
    virtual void send(std::span<const InputRecord> records) = 0;
    // Blocks the calling thread for `ms` milliseconds, as precisely as the
    // platform allows.
    virtual void sleepMs(std::uint32_t ms) = 0;
    virtual Point cursorPos() = 0;
    virtual Size primaryScreenSize() = 0;
    // The bounding box of all monitors.
    virtual ScreenRect virtualScreen() = 0;
    virtual std::uint32_t tickCount() = 0;
    virtual std::uint64_t messageExtraInfo() = 0;
};

// Installs and removes the hook library of a slot for the main window.
class HookPort {
public:
    virtual ~HookPort() = default;
    virtual void install(Slot slot) = 0;
    virtual void remove(Slot slot) = 0;
};

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Opens a file or program as the shell would on a double click.
    virtual void openFile(const std::wstring& file) = 0;
    // Runs a command line through the command interpreter and waits for it.
    virtual void runCommandAndWait(const std::wstring& commandLine) = 0;
};

class PowerPort {
public:
    virtual ~PowerPort() = default;
    // Standby when `suspend` is true, hibernation when false; forced.
    virtual void requestPowerState(bool suspend) = 0;
};

// Starts the playback of a slot's macro script on a worker thread. The
// playback must call PlaybackThreads::finish(slot) as its last act.
class PlaybackPort {
public:
    virtual ~PlaybackPort() = default;
    // False when no thread could be started; nothing will run then.
    virtual bool startPlayback(Slot slot) = 0;
};

// The main window's side of an assignment change.
class ViewPort {
public:
    virtual ~ViewPort() = default;
    virtual void setCaption(Slot slot, const std::wstring& text) = 0;
    // The slot's description label (the user's note, or its default text).
    virtual void setDescriptionLabel(Slot slot, const std::wstring& text) = 0;
    virtual void repaintCaptions() = 0;
};

// One-shot window timers of the main window. Starting a running id restarts
// its period.
class TimerPort {
public:
    virtual ~TimerPort() = default;
    virtual void start(int timerId, std::uint32_t periodMs) = 0;
    virtual void stop(int timerId) = 0;
};

}  // namespace vela
