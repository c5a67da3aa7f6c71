// The hook thread. Low-level hooks run on the thread that installed them, and
// the system holds every input event of the machine until the hook answers, so
// they get a thread of their own that does nothing but answer: the user
// interface thread may sleep 30 ms in a chord without the pointer stalling.
#define VELA_HOOK_ENGINE_BUILD
#include "hooks/win32/HookEngine.h"

#include <mmsystem.h>

#include <array>
#include <atomic>
#include <bitset>
#include <optional>

#include "core/InputRecords.h"
#include "core/MessageIds.h"
#include "hooks/CaptureFilter.h"
#include "hooks/KeyFilter.h"
#include "hooks/MousePipeline.h"
#include "hooks/Watchdog.h"
#include "win32/Handle.h"

namespace {

using vela::kSlotTable;
using vela::number;
using vela::Slot;
using vela::SlotArray;
using vela::SlotSet;
using namespace vela::hooks;

// Thread messages of the hook thread (core/MessageIds.h).
constexpr UINT kApplyMessage =
    vela::kHookApplyMessage;  // bring the hooks in line, then acknowledge
constexpr UINT kSettleMessage =
    vela::kHookSettleMessage;  // bring the hooks in line, no acknowledgement
constexpr UINT kWantMessage =
    vela::kHookWantMessage;  // bring the hooks in line, tell the listener when asked
constexpr UINT kLetGoMessage =
    vela::kHookLetGoMessage;  // send a held release now, then acknowledge
#ifdef VELA_HOOK_TEST_CONTROLS
constexpr UINT kDropMessage = vela::kHookDropMessage;  // lose the hooks silently
#endif
constexpr UINT kWatchdogPeriodMs = 500;
// A capture not renewed within this long ends by itself (its caller renews it
// every second): a stuck caller must not keep the keyboard from the user.
constexpr ULONGLONG kCaptureLeaseMs = 5000;
constexpr DWORD kAnswerTimeoutMs = 5000;
// Not in every SDK's headers yet.
constexpr DWORD kHighResolutionTimer = 0x2;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// Lets a release the chatter filter holds go when its window is over.
// SetTimer's steps are the system tick (15.6 ms): a 16 ms window would last
// 31. A waitable timer of high resolution keeps it; where the system has none,
// a plain one with the system's timer resolution raised while it runs.
class ReleaseTimer {
public:
    void create() {
        handle_.reset(
            CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
        precise_ = static_cast<bool>(handle_);
        if (!handle_) handle_.reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    }
    ~ReleaseTimer() { disarm(); }

    HANDLE handle() const { return handle_.get(); }

    // Fires once, `ms` from now.
    void arm(DWORD ms) {
        if (!handle_) return;
        if (!precise_ && !raised_) raised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(ms) * 10000;  // relative, in 100 ns
        SetWaitableTimer(handle_.get(), &due, 0, nullptr, nullptr, FALSE);
    }
    void disarm() {
        if (handle_) CancelWaitableTimer(handle_.get());
        if (raised_) timeEndPeriod(1);
        raised_ = false;
    }

private:
    vela::win32::UniqueHandle handle_;
    bool precise_ = false;
    bool raised_ = false;
};

// Shared between the callers' threads and the hook thread.
struct Shared {
    SRWLOCK callers = SRWLOCK_INIT;    // one install/remove at a time
    vela::win32::UniqueHandle thread;  // runs as long as the process
    DWORD threadId = 0;
    vela::win32::UniqueHandle answered;  // set when the hook thread finished a request
    std::atomic<WPARAM> lastAnswered{0};
    WPARAM lastRequest = 0;  // under `callers`
    std::atomic<std::uint32_t> installed{0};
    // vela_hook_want: whether a request waits in the hook thread's queue (one
    // at a time: it applies the latest set), the latest request's number, and
    // the latest whose answer was asked for.
    std::atomic<bool> wantQueued{false};
    std::atomic<unsigned> lastWant{0};
    std::atomic<unsigned> tellWant{0};
    SlotArray<std::atomic<HWND>> targets;
    SlotArray<UINT> messages;  // written before the thread starts
    std::atomic<HWND> listener{nullptr};
    std::atomic<UINT> listenMessage{0};
    std::atomic<bool> clicksWatched{false};
    // While GetTickCount64() is below this, the keyboard is captured.
    std::atomic<ULONGLONG> captureUntil{0};
    // Callers that want to know which keys a finger holds (vela_hook_watch_keys),
    // and what the keyboard hook saw of the fingers since it went in.
    std::atomic<int> keyWatchers{0};
    std::atomic<bool> keysHeldKnown{false};
    std::array<std::atomic<bool>, 256> keysHeld{};
    std::atomic<unsigned> restores{0};
    // The mouse tuning asked for last, and how often it was asked for.
    SRWLOCK tuningLock = SRWLOCK_INIT;
    vela::MouseTuning tuning;  // under tuningLock
    std::atomic<unsigned> tuningAsked{0};
    // The buttons' triggers asked for last, likewise.
    vela::TriggerSet triggers;  // under tuningLock
    std::atomic<unsigned> triggersAsked{0};
#ifdef VELA_HOOK_TEST_CONTROLS
    std::atomic<int> lastDropFound{0};
#endif
};
Shared g;

// Only the hook thread touches these.
struct HookThreadState {
    HMODULE module = nullptr;
    vela::win32::UniqueHook mouseHook;
    vela::win32::UniqueHook keyHook;
    MousePipeline mouse;
    KeyFilter keys;
    CaptureFilter capture;
    unsigned tuningTaken = 0;
    unsigned triggersTaken = 0;
    // The message the hook lets by at the cost of one comparison: a pointer
    // move, unless the triggers of a held button want it (then none).
    WPARAM untrackedMove = WM_MOUSEMOVE;
    unsigned toldWant = 0;
    ReleaseTimer releaseTimer;
    std::optional<Tick> releaseArmedFor;
    vela::BounceCounts toldBounces;
    std::uint32_t mouseCalls = 0;
    std::uint32_t keyCalls = 0;
    // Watchdog snapshot from its previous round.
    std::uint32_t seenMouseCalls = 0;
    std::uint32_t seenKeyCalls = 0;
    DWORD seenInputTime = 0;
    POINT seenCursor{};
    WatchdogSuspicion suspicion;
};
HookThreadState t;

SlotSet installedSlots() {
    return SlotSet(g.installed.load(std::memory_order_acquire));
}

void tellListener(EngineEvent event, LPARAM detail = 0) {
    if (HWND listener = g.listener.load(std::memory_order_acquire))
        PostMessageW(listener, g.listenMessage.load(std::memory_order_acquire),
                     static_cast<WPARAM>(event), detail);
}

// A slot's registered message means one activation and nothing else: hosts
// that know only the libraries act on every one of them.
void post(const Verdict& v) {
    if (!v.reportSlot) return;
    const Slot slot = *v.reportSlot;
    if (v.release) {
        tellListener(EngineEvent::Release, number(slot));
        return;
    }
    HWND target = g.targets[slot].load(std::memory_order_acquire);
    if (!target) return;
    for (int n = 0; n < v.reports; ++n)
        PostMessageW(target, g.messages[slot], 0, static_cast<LPARAM>(v.detail));
}

// What a button's triggers fired: its activation as the slot's own message,
// the rest to the listener.
void postFired(const Fired& f) {
    switch (f.what) {
        case TriggerFire::Activation:
            post(Verdict::report(f.slot));
            return;
        case TriggerFire::Release:
            post(Verdict::reportRelease(f.slot));
            return;
        case TriggerFire::GestureUp:
        case TriggerFire::GestureDown:
        case TriggerFire::GestureLeft:
        case TriggerFire::GestureRight:
            tellListener(gestureEvent(static_cast<vela::GestureDirection>(
                             static_cast<int>(f.what) - static_cast<int>(TriggerFire::GestureUp))),
                         number(f.slot));
            return;
        case TriggerFire::LongPress:
            tellListener(EngineEvent::LongPress, number(f.slot));
            return;
        case TriggerFire::DoubleClick:
            tellListener(EngineEvent::DoubleClick, number(f.slot));
            return;
        case TriggerFire::OwnDrag:
            tellListener(EngineEvent::OwnDrag, number(f.slot));
            return;
    }
}

// An unassigned key pressed and released, sent from inside the hook so that
// the system takes it before the event the hook is answering: the program in
// front then sees Alt go down and up with a key between, and opens no menu.
void sendMenuMask() {
    INPUT mask[2] = {};
    for (INPUT& in : mask) {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vela::vk::MenuMask;
    }
    mask[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, mask, sizeof(INPUT));
}

MouseInput translateMouse(WPARAM message, const MSLLHOOKSTRUCT& ms) {
    MouseInput in;
    in.injected = (ms.flags & LLMHF_INJECTED) != 0;
    in.x = ms.pt.x;
    in.y = ms.pt.y;
    const auto high = static_cast<short>(HIWORD(ms.mouseData));
    switch (message) {
        case WM_LBUTTONDOWN:
            in.kind = MouseEventKind::LeftDown;
            break;
        case WM_LBUTTONUP:
            in.kind = MouseEventKind::LeftUp;
            break;
        case WM_RBUTTONDOWN:
            in.kind = MouseEventKind::RightDown;
            break;
        case WM_RBUTTONUP:
            in.kind = MouseEventKind::RightUp;
            break;
        case WM_MBUTTONDOWN:
            in.kind = MouseEventKind::MiddleDown;
            break;
        case WM_MBUTTONUP:
            in.kind = MouseEventKind::MiddleUp;
            break;
        case WM_XBUTTONDOWN:
            in.kind = MouseEventKind::XDown;
            in.xButton = static_cast<std::uint32_t>(high);
            break;
        case WM_XBUTTONUP:
            in.kind = MouseEventKind::XUp;
            in.xButton = static_cast<std::uint32_t>(high);
            break;
        case WM_MOUSEWHEEL:
            in.kind = MouseEventKind::Wheel;
            in.wheelDelta = high;
            break;
        case WM_MOUSEHWHEEL:
            in.kind = MouseEventKind::TiltWheel;
            in.wheelDelta = high;
            break;
        case WM_MOUSEMOVE:
            in.kind = MouseEventKind::Move;
            break;
        default:
            in.kind = MouseEventKind::Other;
            break;
    }
    return in;
}

bool mouseHookNeeded() {
    return intersects(installedSlots(), mouseSlots()) || t.mouse.holdsRelease() ||
           t.mouse.tuned() ||
           (g.clicksWatched.load(std::memory_order_acquire) &&
            g.listener.load(std::memory_order_acquire) != nullptr);
}

// What the listener hears of input that is not a slot's, while it watches
// clicks: after the reports of the event itself.
void tellClickWatcher(const MouseOutcome& out) {
    if (!g.clicksWatched.load(std::memory_order_acquire)) return;
    if (out.otherInput) tellListener(EngineEvent::OtherInput);
    if (out.clicked) tellListener(EngineEvent::Click);
}

bool capturing() {
    return GetTickCount64() < g.captureUntil.load(std::memory_order_acquire);
}

bool keyHookNeeded() {
    return intersects(installedSlots(), keyboardSlots()) || t.keys.holdsRelease() || capturing() ||
           g.keyWatchers.load(std::memory_order_acquire) > 0 || t.capture.holdsRelease();
}

// After the last swallowed release of a removed slot the hook may go.
void settleLater(bool stillNeeded) {
    if (!stillNeeded) PostThreadMessageW(g.threadId, kSettleMessage, 0, 0);
}

// The bounce counts that changed since they were last told.
void tellBounces() {
    const vela::BounceCounts now = t.mouse.bounces();
    for (std::size_t counter = 0; counter <= kWheelBounceCounter; ++counter) {
        const bool wheel = counter == kWheelBounceCounter;
        const std::uint32_t count = wheel ? now.wheel : now.buttons[counter];
        const bool windowOn = !wheel && now.releaseWindows[counter];
        if (count != (wheel ? t.toldBounces.wheel : t.toldBounces.buttons[counter]) ||
            windowOn != (!wheel && t.toldBounces.releaseWindows[counter]))
            tellListener(EngineEvent::Bounces,
                         static_cast<LPARAM>(packBounces(counter, count, windowOn)));
    }
    t.toldBounces = now;
}

// The portable flags and side-button numbers are the platform's own.
static_assert(vela::mouseflag::LeftDown == MOUSEEVENTF_LEFTDOWN &&
              vela::mouseflag::LeftUp == MOUSEEVENTF_LEFTUP &&
              vela::mouseflag::RightDown == MOUSEEVENTF_RIGHTDOWN &&
              vela::mouseflag::RightUp == MOUSEEVENTF_RIGHTUP &&
              vela::mouseflag::MiddleDown == MOUSEEVENTF_MIDDLEDOWN &&
              vela::mouseflag::MiddleUp == MOUSEEVENTF_MIDDLEUP &&
              vela::mouseflag::XDown == MOUSEEVENTF_XDOWN &&
              vela::mouseflag::XUp == MOUSEEVENTF_XUP && vela::kXButton1 == XBUTTON1 &&
              vela::kXButton2 == XBUTTON2);

INPUT mouseInput(const MouseSend& send) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    if (send.kind == MouseSend::Kind::Wheel) {
        in.mi.dwFlags = send.horizontal ? MOUSEEVENTF_HWHEEL : MOUSEEVENTF_WHEEL;
        in.mi.mouseData = static_cast<DWORD>(send.delta);
        return in;
    }
    const vela::MouseButtonInfo& b = vela::buttonInfo(send.button);
    in.mi.dwFlags = send.down ? b.downFlag : b.upFlag;
    in.mi.mouseData = b.xButton;
    return in;
}

// Does what the pipeline decided, but for letting the event through: the
// reports posted, what replaces the event sent in one batch (so nothing comes
// between), the listener told of new bounce counts.
void deliver(const MouseOutcome& out) {
    post(out.released);
    post(out.verdict);
    for (const Fired& f : out.fired) postFired(f);
    t.untrackedMove = t.mouse.tracksMoves() ? 0 : WM_MOUSEMOVE;
    if (!out.send.empty()) {
        std::array<INPUT, 1 + kMaxWheelPieces> inputs{};
        UINT n = 0;
        for (const MouseSend& send : out.send) inputs[n++] = mouseInput(send);
        SendInput(n, inputs.data(), sizeof(INPUT));
    }
    if (out.counted) tellBounces();
}

// Arms the release timer when the filter has begun to hold a release (at the
// event time `now`), disarms it when none is held any more.
void syncReleaseTimer(Tick now) {
    const std::optional<Tick> due = t.mouse.nextDue();
    if (due == t.releaseArmedFor) return;
    t.releaseArmedFor = due;
    if (due) {
        t.releaseTimer.arm(ticksBetween(now, *due));
    } else {
        t.releaseTimer.disarm();
    }
}

// The release timer fired: the window it was armed for is over, whatever the
// coarse tick count says by now.
void releaseDue() {
    t.releaseArmedFor.reset();
    if (const std::optional<Tick> due = t.mouse.nextDue()) {
        deliver(t.mouse.due(*due, installedSlots()));
        syncReleaseTimer(*due);
    }
    t.releaseTimer.disarm();
}

LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        ++t.mouseCalls;
        // Pointer moves are most of the traffic: they cost one comparison,
        // but while a held button's triggers want them.
        if (wParam != t.untrackedMove) {
            const auto& ms = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
            const MouseOutcome out =
                t.mouse.onEvent(translateMouse(wParam, ms), ms.time, installedSlots());
            deliver(out);
            syncReleaseTimer(ms.time);
            const Verdict& v = out.verdict;
            tellClickWatcher(out);
            if (out.released.release || (out.swallow && (!v.reportSlot || v.release)))
                settleLater(mouseHookNeeded());
            if (out.swallow) return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK keyProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        ++t.keyCalls;
        const auto& ks = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        KeyInput in;
        in.virtualKey = ks.vkCode;
        in.down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        in.injected = (ks.flags & LLKHF_INJECTED) != 0;
        // The fingers: what Vela or another program sends changes the
        // system's state of a key, not whether it is held.
        if (!in.injected && ks.vkCode < g.keysHeld.size())
            g.keysHeld[ks.vkCode].store(in.down, std::memory_order_release);
        const CaptureVerdict c = t.capture.onEvent(in, capturing());
        if (c.tell) {
            const vela::CapturedKey key{ks.vkCode, ks.scanCode, (ks.flags & LLKHF_EXTENDED) != 0,
                                        in.down};
            tellListener(EngineEvent::CapturedKey, static_cast<LPARAM>(packCapturedKey(key)));
        }
        if (c.swallow) {
            if (!in.down) settleLater(keyHookNeeded());
            return 1;
        }
        const Verdict v = t.keys.onEvent(in, installedSlots());
        post(v);
        if (v.maskFirst || c.maskFirst) sendMenuMask();
        if (v.suppress) {
            if (!in.down) settleLater(keyHookNeeded());
            return 1;
        }
        // The release of a key held through the capture may have been the
        // last the hook stayed for.
        if (!in.down) settleLater(keyHookNeeded());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The mouse tuning Vela asked for last, once each time it asks.
void takeTuning() {
    const unsigned asked = g.tuningAsked.load(std::memory_order_acquire);
    if (asked == t.tuningTaken) return;
    t.tuningTaken = asked;
    AcquireSRWLockShared(&g.tuningLock);
    const vela::MouseTuning tuning = g.tuning;
    ReleaseSRWLockShared(&g.tuningLock);
    deliver(t.mouse.configure(tuning, installedSlots()));
    syncReleaseTimer(GetTickCount());
}

// The buttons' triggers Vela asked for last, once each time it asks, with
// the system's DPI and double-click time as they are now.
void takeTriggers() {
    const unsigned asked = g.triggersAsked.load(std::memory_order_acquire);
    if (asked == t.triggersTaken) return;
    t.triggersTaken = asked;
    TriggerConfig config;
    AcquireSRWLockShared(&g.tuningLock);
    config.buttons = g.triggers;
    ReleaseSRWLockShared(&g.tuningLock);
    if (HDC screen = GetDC(nullptr)) {
        config.dpi = static_cast<std::uint32_t>(GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(nullptr, screen);
    }
    config.doubleClickMs = GetDoubleClickTime();
    deliver(t.mouse.configureTriggers(config, installedSlots()));
    syncReleaseTimer(GetTickCount());
}

// A release the chatter filter holds, sent now: the hook or the process is
// about to go, and with it the timer that would have sent it.
void letGoNow() {
    deliver(t.mouse.letGoNow(installedSlots()));
    syncReleaseTimer(GetTickCount());
}

void applyHooks() {
    takeTuning();
    takeTriggers();
    const bool mouse = mouseHookNeeded();
    const bool keys = keyHookNeeded();
    if (mouse && !t.mouseHook)
        t.mouseHook.reset(SetWindowsHookExW(WH_MOUSE_LL, mouseProc, t.module, 0));
    if (!mouse && t.mouseHook) {
        letGoNow();
        t.mouseHook.reset();
    }
    if (keys && !t.keyHook) {
        // What went down while no hook watched (this one included) is down
        // for the system now; the filter learns it before the first event.
        const auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
        t.keys.onHookInstalled(down(VK_TAB), down(VK_LMENU), down(VK_RMENU));
        std::bitset<256> keysDown;
        for (int vk = 1; vk < static_cast<int>(keysDown.size()); ++vk) keysDown[vk] = down(vk);
        t.capture.onHookInstalled(keysDown);
        for (std::size_t vk = 0; vk < keysDown.size(); ++vk)
            g.keysHeld[vk].store(keysDown[vk], std::memory_order_release);
        t.keyHook.reset(SetWindowsHookExW(WH_KEYBOARD_LL, keyProc, t.module, 0));
    }
    if (!keys) t.keyHook.reset();
    g.keysHeldKnown.store(static_cast<bool>(t.keyHook), std::memory_order_release);
}

// Gathers what the watchdog decides on (hooks/Watchdog.h) and puts the hooks
// back when it says so.
void watchdogRound() {
    LASTINPUTINFO last{sizeof(LASTINPUTINFO), 0};
    POINT cursor{};
    const bool haveInput = GetLastInputInfo(&last) != FALSE;
    const bool haveCursor = GetCursorPos(&cursor) != FALSE;

    const bool mouseQuiet = t.mouseCalls == t.seenMouseCalls;
    const bool keysQuiet = t.keyCalls == t.seenKeyCalls;
    const bool moved = haveCursor && (cursor.x != t.seenCursor.x || cursor.y != t.seenCursor.y);
    const bool input = haveInput && last.dwTime != t.seenInputTime;

    const WatchdogRound round{static_cast<bool>(t.mouseHook),
                              static_cast<bool>(t.keyHook),
                              moved,
                              input,
                              mouseQuiet,
                              keysQuiet};
    if (t.suspicion.restoreAfter(round)) {
        // Nothing the filters hold may stay held: let go before the hooks go.
        deliver(t.mouse.reset(installedSlots()));
        syncReleaseTimer(GetTickCount());
        t.mouseHook.reset();
        t.keyHook.reset();
        applyHooks();
        g.restores.fetch_add(1, std::memory_order_relaxed);
        // A release may have gone by while the hooks were out: a function held
        // while its input is down must not stay down for good.
        tellListener(EngineEvent::HooksRestored);
    } else {
        applyHooks();  // retries a hook the system refused earlier
    }

    t.seenMouseCalls = t.mouseCalls;
    t.seenKeyCalls = t.keyCalls;
    if (haveInput) t.seenInputTime = last.dwTime;
    if (haveCursor) t.seenCursor = cursor;
}

#ifdef VELA_HOOK_TEST_CONTROLS
// Takes the hooks out but keeps the stale handles, exactly what a silent
// removal by the system leaves behind.
void dropHooks() {
    g.lastDropFound.store(t.mouseHook || t.keyHook ? 1 : 0, std::memory_order_relaxed);
    if (t.mouseHook) UnhookWindowsHookEx(t.mouseHook.get());
    if (t.keyHook) UnhookWindowsHookEx(t.keyHook.get());
}
#endif

// The latest set of slots Vela wants is in installed already: the hooks follow
// it, and the listener hears so when it asked.
void takeWanted() {
    // Exchanged, not stored: it takes what every request queued before wrote.
    g.wantQueued.exchange(false, std::memory_order_acq_rel);
    const unsigned latest = g.lastWant.load(std::memory_order_acquire);
    applyHooks();
    if (g.tellWant.load(std::memory_order_acquire) > t.toldWant) {
        t.toldWant = latest;
        tellListener(EngineEvent::HooksApplied, static_cast<LPARAM>(latest));
    }
}

void answer(WPARAM request) {
    g.lastAnswered.store(request, std::memory_order_release);
    SetEvent(g.answered.get());
}

// The next message of the hook thread's queue, the hooks' calls handled on the
// way (the system makes them while the thread waits or peeks), and the
// release timer when it fires. False for WM_QUIT.
bool nextMessage(MSG& msg) {
    for (;;) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return msg.message != WM_QUIT;
        HANDLE timer = t.releaseTimer.handle();
        const DWORD woke = MsgWaitForMultipleObjectsEx(timer ? 1 : 0, &timer, INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (timer && woke == WAIT_OBJECT_0) releaseDue();
    }
}

DWORD WINAPI hookThread(LPVOID ready) {
    MSG msg;
    // Creates the message queue before anyone posts to it.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetTimer(nullptr, 0, kWatchdogPeriodMs, nullptr);
    t.releaseTimer.create();
    SetEvent(static_cast<HANDLE>(ready));
    while (nextMessage(msg)) {
        if (msg.hwnd != nullptr) {
            DispatchMessageW(&msg);
            continue;
        }
        switch (msg.message) {
            case kApplyMessage:
                applyHooks();
                answer(msg.wParam);
                break;
            case kSettleMessage:
                applyHooks();
                break;
            case kWantMessage:
                takeWanted();
                break;
            case kLetGoMessage:
                letGoNow();
                answer(msg.wParam);
                break;
#ifdef VELA_HOOK_TEST_CONTROLS
            case kDropMessage:
                dropHooks();
                answer(msg.wParam);
                break;
#endif
            case WM_TIMER:
                watchdogRound();
                break;
            default:
                break;
        }
    }
    return 0;
}

// Called with the callers' lock held.
bool ensureThread() {
    if (g.thread) return true;
    // The thread runs code of this library until the process ends, so the
    // library must never be unloaded under it.
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                            reinterpret_cast<LPCWSTR>(&hookThread), &t.module)) {
        return false;
    }
    for (const vela::SlotInfo& info : kSlotTable) {
        const std::wstring name(info.messageName);
        g.messages[info.slot] = RegisterWindowMessageW(name.c_str());
    }
    g.answered.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    const vela::win32::UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!g.answered || !ready) return false;
    g.thread.reset(CreateThread(nullptr, 0, hookThread, ready.get(), 0, &g.threadId));
    if (g.thread) {
        // The hooks must not wait behind the application's own work.
        SetThreadPriority(g.thread.get(), THREAD_PRIORITY_TIME_CRITICAL);
        WaitForSingleObject(ready.get(), kAnswerTimeoutMs);
    }
    return static_cast<bool>(g.thread);
}

// Posts a request to the hook thread and waits until it has been carried out.
// Requests are numbered, so a late answer to one that timed out can never be
// taken for the answer to the next.
int request(UINT message) {
    const WPARAM number = ++g.lastRequest;
    if (!PostThreadMessageW(g.threadId, message, number, 0)) return 0;
    const ULONGLONG deadline = GetTickCount64() + kAnswerTimeoutMs;
    while (g.lastAnswered.load(std::memory_order_acquire) != number) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return 0;
        WaitForSingleObject(g.answered.get(), static_cast<DWORD>(deadline - now));
    }
    return 1;
}

class CallerLock {
public:
    CallerLock() { AcquireSRWLockExclusive(&g.callers); }
    ~CallerLock() { ReleaseSRWLockExclusive(&g.callers); }
    CallerLock(const CallerLock&) = delete;
    CallerLock& operator=(const CallerLock&) = delete;
};

}  // namespace

VELA_HOOK_API int vela_hook_install(int slotNumber, HWND window) {
    const vela::SlotInfo* info = vela::findSlot(slotNumber);
    if (!info) return 0;
    CallerLock lock;
    if (!ensureThread()) return 0;
    g.targets[info->slot].store(window, std::memory_order_release);
    g.installed.fetch_or(SlotSet{info->slot}.bits(), std::memory_order_acq_rel);
    return request(kApplyMessage);
}

VELA_HOOK_API int vela_hook_remove(int slotNumber, HWND /*window*/) {
    const vela::SlotInfo* info = vela::findSlot(slotNumber);
    if (!info) return 0;
    CallerLock lock;
    // Cleared first: from here on the hook procedure lets this slot's input
    // through, even before the thread has looked at the request.
    g.installed.fetch_and(~SlotSet{info->slot}.bits(), std::memory_order_acq_rel);
    if (!g.thread) return 1;
    return request(kApplyMessage);
}

VELA_HOOK_API unsigned vela_hook_want(unsigned slots, HWND window, int tell) {
    CallerLock lock;
    if (!ensureThread()) return 0;
    const SlotSet wanted = SlotSet(slots) & SlotSet::all();
    for (const vela::SlotInfo& info : kSlotTable) {
        if (wanted.has(info.slot)) g.targets[info.slot].store(window, std::memory_order_release);
    }
    // From here on the hook procedure reports exactly these slots, before the
    // thread has looked at the request.
    g.installed.store(wanted.bits(), std::memory_order_release);
    const unsigned number = g.lastWant.load(std::memory_order_relaxed) + 1;
    g.lastWant.store(number, std::memory_order_release);
    if (tell) g.tellWant.store(number, std::memory_order_release);
    if (g.wantQueued.exchange(true, std::memory_order_acq_rel)) return number;
    if (PostThreadMessageW(g.threadId, kWantMessage, 0, 0)) return number;
    // The slots reported are right already; the watchdog's next round brings
    // the hooks in line.
    g.wantQueued.store(false, std::memory_order_release);
    return 0;
}

VELA_HOOK_API int vela_hook_listen(HWND window, UINT message, int clicks) {
    CallerLock lock;
    if (!window && !g.thread) return 1;
    if (!ensureThread()) return 0;
    // The message first: the hook thread reads the window, then the message.
    g.listenMessage.store(message, std::memory_order_release);
    g.clicksWatched.store(clicks != 0, std::memory_order_release);
    g.listener.store(window, std::memory_order_release);
    return request(kApplyMessage);
}

VELA_HOOK_API int vela_hook_capture(int on) {
    CallerLock lock;
    if (!on && !g.thread) return 1;
    if (!ensureThread()) return 0;
    g.captureUntil.store(on ? GetTickCount64() + kCaptureLeaseMs : 0, std::memory_order_release);
    return request(kApplyMessage);
}

VELA_HOOK_API int vela_hook_tune(const vela::MouseTuning* tuning) {
    CallerLock lock;
    if (!tuning && !g.thread) return 1;
    if (!ensureThread()) return 0;
    AcquireSRWLockExclusive(&g.tuningLock);
    g.tuning = tuning ? *tuning : vela::MouseTuning{};
    ReleaseSRWLockExclusive(&g.tuningLock);
    g.tuningAsked.fetch_add(1, std::memory_order_release);
    return request(kApplyMessage);
}

VELA_HOOK_API int vela_hook_triggers(const vela::TriggerSet* triggers) {
    CallerLock lock;
    if (!triggers && !g.thread) return 1;
    if (!ensureThread()) return 0;
    AcquireSRWLockExclusive(&g.tuningLock);
    g.triggers = triggers ? *triggers : vela::TriggerSet{};
    ReleaseSRWLockExclusive(&g.tuningLock);
    g.triggersAsked.fetch_add(1, std::memory_order_release);
    // Not waited for: a profile switch or a held layer changes the triggers
    // in the middle of a press, and Vela never waits for the hook thread.
    return PostThreadMessageW(g.threadId, kSettleMessage, 0, 0) ? 1 : 0;
}

VELA_HOOK_API int vela_hook_watch_keys(int on) {
    CallerLock lock;
    if (!on && !g.thread) return 1;
    if (!ensureThread()) return 0;
    if (on) {
        g.keyWatchers.fetch_add(1, std::memory_order_acq_rel);
    } else if (g.keyWatchers.fetch_sub(1, std::memory_order_acq_rel) <= 0) {
        g.keyWatchers.fetch_add(1, std::memory_order_acq_rel);  // more ends than begins
    }
    return request(kApplyMessage);
}

VELA_HOOK_API int vela_hook_key_held(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(g.keysHeld.size()) ||
        !g.keysHeldKnown.load(std::memory_order_acquire))
        return -1;
    return g.keysHeld[static_cast<std::size_t>(virtualKey)].load(std::memory_order_acquire) ? 1 : 0;
}

VELA_HOOK_API int vela_hook_let_go() {
    CallerLock lock;
    if (!g.thread) return 1;
    return request(kLetGoMessage);
}

#ifdef VELA_HOOK_TEST_CONTROLS
VELA_HOOK_API int vela_hook_simulate_loss() {
    CallerLock lock;
    if (!g.thread) return 0;
    if (!request(kDropMessage)) return 0;
    return g.lastDropFound.load(std::memory_order_relaxed);
}

VELA_HOOK_API unsigned vela_hook_watchdog_restores() {
    return g.restores.load(std::memory_order_relaxed);
}
#endif
