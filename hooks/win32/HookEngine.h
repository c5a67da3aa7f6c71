// The exports of VelaHooks.dll: one hook thread, one low-level mouse hook and
// one keyboard hook shared by all nine slot libraries.
#pragma once

#include <windows.h>

#include "core/ButtonTriggers.h"
#include "core/MouseTuning.h"

#ifdef VELA_HOOK_ENGINE_BUILD
#define VELA_HOOK_API extern "C" __declspec(dllexport)
#else
#define VELA_HOOK_API extern "C" __declspec(dllimport)
#endif

// Installs a slot (by slot number) for `window`: from the moment this returns,
// the slot's physical input is swallowed and each activation (a press, a
// wheel notch) is posted to `window` as the slot's registered message, once,
// and for nothing else. Returns 1, or 0 for an unknown slot or when the hook
// thread did not answer.
VELA_HOOK_API int vela_hook_install(int slotNumber, HWND window);

// Removes a slot: from the moment this returns its input works natively and
// nothing more is posted for it. Returns 1, or 0 as above.
VELA_HOOK_API int vela_hook_remove(int slotNumber, HWND window);

// Vela's own way to place its hooks, which never waits for the hook thread:
// exactly the slots of `slots` (a vela::SlotSet's bits) are to be installed
// for `window`, whatever any earlier call put in. From the moment this
// returns no input of a slot left out is reported any more (a release of a
// press already taken still is swallowed, and told); a slot added is taken
// once its hook is in, a moment later. Calls that come faster than the hook
// thread applies them collapse into the latest. With `tell`, the listener
// (vela_hook_listen) gets EngineEvent::HooksApplied with a request number at
// least this call's once the hooks are in line. Returns this call's number,
// or 0 when the hook thread could not be asked.
VELA_HOOK_API unsigned vela_hook_want(unsigned slots, HWND window, int tell);

// Vela's own channel: from here on `message` is posted to `window` with a
// vela::hooks::EngineEvent as wParam for what the slots' messages never
// carry: the release of each press a slot took (lParam: the slot number;
// posted from the same thread as the press, so it arrives after it), and the
// watchdog's putting lost hooks back. With `clicks`, also after each left,
// right or middle click that went through (nothing swallowed): how a program
// in front is noticed where the system's foreground event does not reach
// other processes (Wine); the mouse hook stays in while clicks are watched.
// A null `window` ends it all. Returns 1, or 0 when the hook thread did not
// answer.
VELA_HOOK_API int vela_hook_listen(HWND window, UINT message, int clicks);

// Vela's capture of the keyboard, while the user presses a shortcut for it to
// learn: with `on`, from the moment this returns every key event that no
// program injected is posted to the listener (vela_hook_listen) as a
// vela::hooks::EngineEvent::CapturedKey, and every key pressed is swallowed.
// A key the system saw go down before keeps going to it, and a key still held
// when the capture ends comes up for it (Alt and Windows masked), so nothing
// stays down for the system (hooks/CaptureFilter.h). Each call with `on`
// renews the capture for five seconds, after which it ends by itself; 0 ends
// it. Returns 1, or 0 when the hook thread did not answer.
VELA_HOOK_API int vela_hook_capture(int on);

// How the mouse itself behaves, apart from any slot: the chatter filter of
// each button, the wheel's bounce filter, direction and speed
// (core/MouseTuning.h, hooks/MousePipeline.h). Null turns everything off.
// The mouse hook stays in while any of it is on. Bounces filtered are told to
// the listener (EngineEvent::Bounces). Returns 1, or 0 when the hook thread did
// not answer.
VELA_HOOK_API int vela_hook_tune(const vela::MouseTuning* tuning);

// What each mouse button does besides its press (core/ButtonTriggers.h,
// hooks/TriggerMachine.h): gestures, drag to scroll, a layer button's own
// click and drag, double click and long press. A button with triggers of an
// installed slot is swallowed from press to release, and its registered
// message still means one activation: its click (or, for a layer button,
// its press). What else fires goes to the listener (EngineEvent::GestureUp
// to EngineEvent::OwnDrag, lParam the slot). Distances grow with the
// system's DPI; the double click waits the system's double-click time. A
// button held when this comes lets go first. Null turns every trigger off.
// Returns at once, the hook thread taking them a moment later (a press
// before that is decided as before); 1, or 0 when it could not be asked.
VELA_HOOK_API int vela_hook_triggers(const vela::TriggerSet* triggers);

// Sends a release the chatter filter holds in its window now, on the hook
// thread, and returns once it went: call it before the hooks or the process
// go (exit, the end of the session, pause), or the button stays down for the
// system. Returns 1, or 0 when the hook thread did not answer.
VELA_HOOK_API int vela_hook_let_go();

// Which keys the user's fingers hold, apart from what Vela or other programs
// sent: once Vela sent a key up, the system has it up though a finger still
// holds it. With `on` the keyboard hook stays in (learning, as it goes in, the
// keys down then) until as many calls with 0 came; returns once it is so.
// Returns 1, or 0 when the hook thread did not answer.
VELA_HOOK_API int vela_hook_watch_keys(int on);
// 1 while a finger holds the key, 0 while none does, -1 when no keyboard hook
// is in to tell (no watch).
VELA_HOOK_API int vela_hook_key_held(int virtualKey);

#ifdef VELA_HOOK_TEST_CONTROLS
// Test builds only (the copy of the engine in the test programs' folder):
// the shipped library has neither.

// Takes the hooks out behind the engine's back, the way the system drops a
// hook it considers hung. Returns 1 when a hook was in place.
VELA_HOOK_API int vela_hook_simulate_loss();

// How often the watchdog has put lost hooks back since the process started.
VELA_HOOK_API unsigned vela_hook_watchdog_restores();
#endif
