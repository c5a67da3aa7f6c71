// libFuzzer target: any bytes as a macro script file, then played.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/TrackedInput.h"
#include "macro/MacroPlayer.h"
#include "macro/MacroScriptParser.h"

namespace {

// Takes every call and checks what a player may never send.
class CheckingPort final : public vela::InputPort {
public:
    // Set once the script has played: what follows lets go of what it left down.
    bool releasing = false;

    void send(std::span<const vela::InputRecord> records) override {
        if (releasing) {
            // Releases only, and a button goes up where the pointer is.
            for (const vela::InputRecord& r : records) {
                if (vela::releaseOf(r)) std::abort();
                if (r.type == vela::InputRecord::Mouse && (r.flags & 0x8001u) != 0) std::abort();
            }
            return;
        }
        if (records.size() != 1) std::abort();  // one record per call
        const vela::InputRecord& r = records[0];
        if (r.type == vela::InputRecord::Mouse && (r.flags & 0x8001u) != 0x8001u) std::abort();
        if (r.type == vela::InputRecord::Keyboard && r.extraInfo > 0xFFFF) std::abort();
    }
    void sleepMs(std::uint32_t ms) override {
        if (ms > 0x7FFFFFFFu) std::abort();  // a negative delay must never become ~49 days
    }
    vela::Point cursorPos() override { return {1919, 1079}; }
    vela::Size primaryScreenSize() override { return {1920, 1080}; }
    vela::Rect virtualScreen() override { return {0, 0, 1920, 1080}; }
    std::uint32_t tickCount() override { return 0; }
    std::uint64_t messageExtraInfo() override { return ~0ull; }
    std::uint16_t scanCodeOf(std::uint16_t vk) override { return vk & 0x7F; }
    bool keyDown(std::uint16_t) override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const bool skipRightButton = size > 0 && (data[0] & 1);
    const vela::MacroScript script = vela::parseMacroScript(bytes, skipRightButton);
    for (const vela::MacroStep& step : script) {
        if (step.opcode < 'a' || step.opcode > 'k') std::abort();
        if (step.opcode <= 'f' && !step.argument.empty()) std::abort();
        if (skipRightButton && (step.opcode == 'c' || step.opcode == 'd')) std::abort();
        for (wchar_t c : step.argument) {
            if (c == L'\n' || c == L'\0' || static_cast<std::uint32_t>(c) > 0xFF) std::abort();
        }
    }
    // Played as a playback thread plays it: whatever the script leaves down
    // is let go at its end, so nothing may be held after.
    CheckingPort port;
    vela::HeldInputs ledger;
    vela::TrackedInput tracked(port, ledger, vela::playbackOwner(vela::Slot::X1));
    vela::playMacroScript(script, tracked, port);
    port.releasing = true;
    tracked.releaseHeld();
    if (ledger.holdsAnything()) std::abort();
    return 0;
}
