// host: stands in for Vela's hook reports window. Loads the hook libraries of
// the test build (hooktest\ beside the probe, with the engine's test
// controls) through Win32HookPort, installs and removes slots on command, logs every
// report it receives, and can answer like the executors do, with guarded
// synthetic input from the core.
//
//   host --log FILE --commands FILE [--pause-ms N]
//
// --pause-ms shortens the executors' 30 ms click pause, so that hundreds of
// guarded clicks run in a moment (a shorter pause is the harder case for the
// guard). The commands file is read as it grows, one command per line:
//   install SLOT...      remove SLOT...
//   want SLOT...         exactly these hooked, as Vela asks: acked once the
//                        engine answers the listener
//   listen [clicks]      hear the engine's own events, as Vela does (with
//                        the clicks that went through)
//   mouse SLOT FUNCTION COUNT   run the executor COUNT times with the slot
//                               holding that MouseFunction value
//   key SLOT MODIFIER VK COUNT  the same with a key and a ChordModifier
//                               (0 none, 1 Windows, 2 Control, 3 Shift, 4 Alt)
//   raw FUNCTION COUNT   send a MouseFunction COUNT times with no guard
//   busy MS              keep the UI thread in 30 ms pauses for MS ms
//   capture on|off       capture the keyboard (or renew it), or end it
//   drop                 lose the hooks as the system would (watchdog test)
//   restores             log how often the watchdog put hooks back
//   sync                 nothing; its ack orders everything before it
//   quit
// Log lines: "ready", "report SLOT" (a slot's registered message, whatever its
// parameters), "release SLOT", "restored", "click", "trigger EVENT SLOT", "captured VK SCAN
// EXTENDED down|up" (the engine's events, once listened to), "ack N COMMAND...", "error ...".
#include <array>
#include <memory>
#include <sstream>
#include <string>

#include "app/ports/Win32HookPort.h"
#include "app/ports/Win32InputPort.h"
#include "app/ports/Win32ShellPort.h"
#include "core/ActionExecutor.h"
#include "core/ProgramFiles.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "hooks/HookTypes.h"
#include "tests/support/NullPorts.h"
#include "tests/wine/probe/Probe.h"
#include "win32/ModulePath.h"

namespace vela::probe {

namespace {

constexpr UINT_PTR kCommandTimer = 1;
constexpr UINT kCommandPollMs = 5;

using test::NoPlayback;
using test::QuietTimers;
using test::QuietView;

// Sends through the real input port with its pauses cut to `pauseMs`.
class ShortPauses final : public InputSendPort {
public:
    ShortPauses(InputSendPort& real, std::uint32_t pauseMs) : real_(real), pauseMs_(pauseMs) {}
    void send(std::span<const InputRecord> records) override { real_.send(records); }
    void sleepMs(std::uint32_t ms) override { real_.sleepMs(std::min(ms, pauseMs_)); }

private:
    InputSendPort& real_;
    std::uint32_t pauseMs_;
};

const SlotInfo* slotNamed(const std::string& name) {
    for (const SlotInfo& info : kSlotTable) {
        if (info.name == name) return &info;
    }
    return nullptr;
}

class Host {
public:
    Host(HWND window, EventLog& log, std::wstring commandsPath, std::uint32_t pauseMs)
        : log_(log),
          commandsPath_(std::move(commandsPath)),
          hooks_(window, moduleFolderOf(win32::modulePath()) + L"\\hooktest"),
          input_(real_, pauseMs),
          model_(hooks_, view_, timers_),
          executor_(model_, ExecutorPorts{input_, real_, shell_, power_, playback_},
                    playbackThreads_) {
        for (const SlotInfo& info : kSlotTable) {
            const std::wstring name(info.messageName);
            messages_[info.slot] = RegisterWindowMessageW(name.c_str());
            if (!hooks_.loaded(info.slot)) {
                log_.line("error library %s not loaded", std::string(info.name).c_str());
            }
        }
        engineMessage_ = RegisterWindowMessageW(L"VelaHookHostEngineEvent");
    }

    // True when `msg` was a slot's registered message: "report X", whatever
    // its parameters, as a host that knows only the libraries counts it.
    bool onMessage(UINT msg, WPARAM kind, LPARAM detail) {
        for (const SlotInfo& info : kSlotTable) {
            if (msg == messages_[info.slot]) {
                log_.line("report %s", std::string(info.name).c_str());
                return true;
            }
        }
        if (msg == engineMessage_) {
            switch (static_cast<hooks::EngineEvent>(kind)) {
                case hooks::EngineEvent::Release: {
                    const SlotInfo* info = findSlot(static_cast<int>(detail));
                    log_.line("release %s", info ? std::string(info->name).c_str() : "?");
                    break;
                }
                case hooks::EngineEvent::HooksRestored:
                    log_.line("restored");
                    break;
                case hooks::EngineEvent::Click:
                    log_.line("click");
                    break;
                case hooks::EngineEvent::OtherInput:
                    log_.line("other input");
                    break;
                case hooks::EngineEvent::CapturedKey: {
                    const CapturedKey key =
                        hooks::unpackCapturedKey(static_cast<std::uint32_t>(detail));
                    log_.line("captured %u %u %d %s", key.virtualKey, key.scanCode,
                              key.extended ? 1 : 0, key.down ? "down" : "up");
                    break;
                }
                case hooks::EngineEvent::Bounces:
                    log_.line("bounces %llu", static_cast<unsigned long long>(detail));
                    break;
                case hooks::EngineEvent::GestureUp:
                case hooks::EngineEvent::GestureDown:
                case hooks::EngineEvent::GestureLeft:
                case hooks::EngineEvent::GestureRight:
                case hooks::EngineEvent::LongPress:
                case hooks::EngineEvent::DoubleClick:
                case hooks::EngineEvent::OwnDrag:
                    log_.line("trigger %u %d", static_cast<unsigned>(kind),
                              static_cast<int>(detail));
                    break;
                case hooks::EngineEvent::HooksApplied:
                    if (awaited_ != 0 && static_cast<unsigned>(detail) >= awaited_) {
                        awaited_ = 0;
                        log_.line("%s", awaitedAck_.c_str());
                    }
                    break;
            }
            return true;
        }
        return false;
    }

    // Reads what was added to the commands file since the last call.
    void pollCommands() {
        HANDLE f = CreateFileW(commandsPath_.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) return;
        win32::UniqueHandle file(f);
        LARGE_INTEGER offset;
        offset.QuadPart = readOffset_;
        SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN);
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
            readOffset_ += got;
            pending_.append(buffer, got);
        }
        std::size_t end;
        while ((end = pending_.find('\n')) != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) run(line);
        }
    }

private:
    void run(const std::string& line) {
        ++commandNumber_;
        std::istringstream in(line);
        std::string verb;
        in >> verb;
        bool ok = true;
        if (verb == "install" || verb == "remove") {
            std::string name;
            while (in >> name) {
                const SlotInfo* info = slotNamed(name);
                if (!info) {
                    ok = false;
                    continue;
                }
                model_.at(info->slot).remapped = verb == "install";
                model_.followRemapped(info->slot);
            }
        } else if (verb == "want") {
            SlotSet slots;
            for (std::string name; in >> name;) {
                const SlotInfo* info = slotNamed(name);
                ok = ok && info;
                if (info) slots.add(info->slot);
            }
            // Acknowledged by the engine's answer.
            awaitedAck_ = "ack " + std::to_string(commandNumber_) + " " + line;
            if (ok && (awaited_ = hooks_.wantAnswered(slots)) != 0) return;
            ok = false;
        } else if (verb == "listen") {
            std::string clicks;
            in >> clicks;
            hooks_.listen(engineMessage_);
            hooks_.watchClicks(clicks == "clicks");
        } else if (verb == "mouse" || verb == "key") {
            ok = activate(verb, in);
        } else if (verb == "raw") {
            ok = sendUnguarded(in);
        } else if (verb == "busy") {
            int ms = 0;
            in >> ms;
            win32::Win32InputPort pauses;
            for (int spent = 0; spent < ms; spent += static_cast<int>(kChordPauseMs)) {
                pauses.sleepMs(kChordPauseMs);
            }
        } else if (verb == "capture") {
            // "capture on" starts (or renews) the keyboard's capture, "capture
            // off" ends it; the captured keys are logged as they come.
            std::string how;
            in >> how;
            if (how == "on") {
                hooks_.beginCapture([](const CapturedKey&) {});
            } else {
                hooks_.endCapture();
            }
        } else if (verb == "drop") {
            log_.line("dropped %d", callEngine<int (*)()>("vela_hook_simulate_loss"));
        } else if (verb == "restores") {
            log_.line("restores %u", callEngine<unsigned (*)()>("vela_hook_watchdog_restores"));
        } else if (verb == "quit") {
            log_.line("ack %d %s", commandNumber_, line.c_str());
            PostQuitMessage(0);
            return;
        } else if (verb != "sync") {
            ok = false;
        }
        if (ok) {
            log_.line("ack %d %s", commandNumber_, line.c_str());
        } else {
            log_.line("error %d %s", commandNumber_, line.c_str());
        }
    }

    // Gives the slot the assignment and runs its executor `count` times, as
    // if its library had reported that many presses.
    bool activate(const std::string& verb, std::istringstream& in) {
        std::string name;
        int value = 0;
        int virtualKey = 0;
        int count = 0;
        in >> name >> value;
        if (verb == "key") in >> virtualKey;
        in >> count;
        const SlotInfo* info = slotNamed(name);
        if (!info || in.fail() || count < 0 || value < 0) return false;
        ButtonAssignment& a = model_.at(info->slot);
        if (verb == "mouse") {
            if (value >= static_cast<int>(kMouseFunctionCount)) return false;
            a.action = action::Mouse{static_cast<MouseFunction>(value)};
        } else {
            if (value > static_cast<int>(ChordModifier::Alt)) return false;
            a.action = action::Key{static_cast<ChordModifier>(value),
                                   static_cast<std::uint8_t>(virtualKey)};
        }
        for (int i = 0; i < count; ++i) executor_.onActivation(info->slot);
        return true;
    }

    // The worst case of the guard's race: the hook sees the synthetic event
    // while the slot is installed. The hook must still let it through
    // without a report.
    bool sendUnguarded(std::istringstream& in) {
        int function = -1;
        int count = 0;
        in >> function >> count;
        if (in.fail() || function < 0 || function >= static_cast<int>(kMouseFunctionCount) ||
            count < 0) {
            return false;
        }
        InputSynth synth(input_, real_);
        const MouseTarget at =
            targetAtCursor(real_.cursorPos(), real_.primaryScreenSize(), real_.virtualScreen());
        const auto mouse = static_cast<MouseFunction>(function);
        for (int i = 0; i < count; ++i) {
            if (mouse == MouseFunction::WheelUp) {
                synth.wheelStep(kWheelDelta, at);
            } else if (mouse == MouseFunction::WheelDown) {
                synth.wheelStep(-kWheelDelta, at);
            } else {
                synth.click(mouse, at);
            }
        }
        return true;
    }

    template <typename F>
    auto callEngine(const char* name) -> decltype(F()()) {
        HMODULE engine = GetModuleHandleW(L"VelaHooks.dll");
        auto f = engine ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(engine, name)))
                        : nullptr;
        return f ? f() : decltype(F()()){};
    }

    EventLog& log_;
    std::wstring commandsPath_;
    long long readOffset_ = 0;
    std::string pending_;
    int commandNumber_ = 0;
    unsigned awaited_ = 0;  // the last want's request, and its ack
    std::string awaitedAck_;

    win32::Win32HookPort hooks_;
    win32::Win32InputPort real_;
    ShortPauses input_;
    QuietView view_;
    QuietTimers timers_;
    SlotModel model_;
    win32::Win32ShellPort shell_;
    win32::Win32PowerPort power_;
    NoPlayback playback_;
    PlaybackThreads playbackThreads_;
    ActionExecutor executor_;
    SlotArray<UINT> messages_;
    UINT engineMessage_ = 0;
};

Host* gHost = nullptr;

LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (gHost && gHost->onMessage(msg, wParam, lParam)) return 0;
    if (msg == WM_TIMER && wParam == kCommandTimer) {
        if (gHost) gHost->pollCommands();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int host(HINSTANCE module, const Args& args, EventLog& log) {
    const std::wstring commands = args.value(L"--commands", L"host.commands");
    const auto pauseMs = static_cast<std::uint32_t>(args.number(L"--pause-ms", 30));

    WNDCLASSW wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = module;
    wc.lpszClassName = L"VelaHookHost";
    RegisterClassW(&wc);
    // A message-only window: it receives the reports and never takes focus
    // from the receiver.
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Vela hook host", 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, module, nullptr);
    if (!window) return 2;
    Host host(window, log, commands, pauseMs);
    gHost = &host;
    SetTimer(window, kCommandTimer, kCommandPollMs, nullptr);
    log.line("ready");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    gHost = nullptr;
    return 0;
}

}  // namespace vela::probe
