// HookPort over the nine hook libraries beside the executable, and Vela's own
// requests of the engine behind them.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "core/ButtonTriggers.h"
#include "core/HookPorts.h"
#include "core/SlotSet.h"
#include "win32/Handle.h"

namespace vela::win32 {

// Loads every slot's library once, from the executable's folder (never from
// the search path), and calls its install and remove functions, found by the
// names in the slot table, with the window the reports go to (app/HookReports.h).
// A library or function that is missing makes that slot's calls do nothing,
// like any other failed platform call.
//
// What the libraries' messages never carry (a taken press coming up, the
// watchdog's restores, the clicks) comes through the engine behind them,
// VelaHooks.dll, as one message of Vela's own: see listen.
//
// The libraries' functions wait for the hook thread, as hosts that know only
// them expect; Vela itself places its hooks with want, which does not.
class Win32HookPort final : public HookPort,
                            public HookRequestPort,
                            public ClickWatchPort,
                            public KeyCapturePort,
                            public KeyWatchPort,
                            public MouseTuningPort,
                            public TriggerPort {
public:
    // The libraries report to `window`; `folder` holds them, empty meaning the
    // executable's own folder.
    explicit Win32HookPort(HWND window, const std::wstring& folder = {});

    void install(Slot slot) override;
    void remove(Slot slot) override;

    // Exactly these slots hooked, as far as their libraries were found; returns
    // at once.
    void want(SlotSet slots) override;
    // The same, and the listener's EngineEvent::HooksApplied comes with this
    // request's number or a later one once the hooks are in line. Returns the
    // number, 0 when the engine could not be asked.
    unsigned wantAnswered(SlotSet slots);

    // Whether the slot's library and both its functions were found.
    bool loaded(Slot slot) const;

    // From here on the engine posts `message` to the window, with a
    // hooks::EngineEvent as wParam (hooks/HookTypes.h).
    void listen(UINT message);
    // The engine's Click events too, while `on`; it keeps the mouse hook in
    // for them.
    void watchClicks(bool on) override;
    // The engine's chatter filter and wheel shaping; their bounce counts come
    // as the engine's Bounces events.
    void tune(const MouseTuning& tuning) override;
    // A release the chatter filter holds, sent now; returns once it went.
    void letGo() override;
    // What each button does besides its press (vela_hook_triggers).
    void setTriggers(const TriggerSet& triggers) override;

    // The engine's capture of the keyboard; its key events reach the sink
    // through captured(), which the reports window calls.
    void beginCapture(std::function<void(const CapturedKey&)> sink) override;
    void renewCapture() override;
    void endCapture() override;
    void captured(const CapturedKey& key);

    // The fingers on the keyboard, from any thread.
    void watchKeys(bool on) override;
    std::optional<bool> keyHeld(std::uint16_t virtualKey) override;

private:
    using HookFunction = int(__cdecl*)(HWND);
    using ListenFunction = int(__cdecl*)(HWND, UINT, int);
    using CaptureFunction = int(__cdecl*)(int);
    using TuneFunction = int(__cdecl*)(const MouseTuning*);
    using LetGoFunction = int(__cdecl*)();
    using TriggersFunction = int(__cdecl*)(const TriggerSet*);
    using KeyHeldFunction = int(__cdecl*)(int);
    using WantFunction = unsigned(__cdecl*)(unsigned, HWND, int);
    struct Library {
        UniqueModule module;
        HookFunction install = nullptr;
        HookFunction remove = nullptr;
    };

    void tellEngine();
    unsigned ask(SlotSet slots, bool answered);

    HWND window_;
    SlotArray<Library> libraries_;
    UniqueModule engine_;
    ListenFunction listen_ = nullptr;
    CaptureFunction capture_ = nullptr;
    std::function<void(const CapturedKey&)> sink_;
    TuneFunction tune_ = nullptr;
    LetGoFunction letGo_ = nullptr;
    TriggersFunction triggers_ = nullptr;
    CaptureFunction watchKeys_ = nullptr;
    KeyHeldFunction keyHeld_ = nullptr;
    WantFunction want_ = nullptr;
    UINT message_ = 0;
    bool clicks_ = false;
};

}  // namespace vela::win32
