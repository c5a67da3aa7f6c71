// InputPort over SendInput and the system clocks.
#pragma once

#include <windows.h>

#include "core/HookPorts.h"
#include "core/InputPorts.h"

namespace vela::win32 {

// Converts each InputRecord to an INPUT one-to-one and hands the batch to
// SendInput. Pauses use a high-resolution waitable timer where the system has
// one, so a 30 ms pause is 30 ms rather than rounded up to the next 15.6 ms
// scheduler tick. A port made with a `wake` event ends its pauses as soon as
// the event is set (the event stays the caller's). With `keys`, which keys a
// finger holds comes from its watch.
class Win32InputPort final : public InputPort {
public:
    explicit Win32InputPort(HANDLE wake = nullptr, KeyWatchPort* keys = nullptr);
    ~Win32InputPort() override;
    Win32InputPort(const Win32InputPort&) = delete;
    Win32InputPort& operator=(const Win32InputPort&) = delete;

    void send(std::span<const InputRecord> records) override;
    void sleepMs(std::uint32_t ms) override;
    Point cursorPos() override;
    Size primaryScreenSize() override;
    Rect virtualScreen() override;
    std::uint32_t tickCount() override;
    std::uint64_t messageExtraInfo() override;
    std::uint16_t scanCodeOf(std::uint16_t virtualKey) override;
    bool keyDown(std::uint16_t virtualKey) override;
    bool keyHeld(std::uint16_t virtualKey) override;
    void watchKeys(bool on) override;

    bool usesHighResolutionTimer() const { return highResolution_; }

private:
    HANDLE timer_ = nullptr;  // per port, so one port serves one thread
    bool highResolution_ = false;
    HANDLE wake_ = nullptr;
    KeyWatchPort* keys_ = nullptr;
};

// The INPUT that SendInput gets for a record.
INPUT toInput(const InputRecord& record);

// Blocks for `ms` milliseconds using `timer` when given, else the raised
// system timer resolution around Sleep; returns early once `wake` (when
// given) is set.
void preciseSleep(HANDLE timer, bool highResolution, std::uint32_t ms, HANDLE wake = nullptr);

}  // namespace vela::win32
