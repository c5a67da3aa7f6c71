// The test double of the platform ports that act (input, hooks, shell, power,
// playback, view, window, timers, saving): each call is kept, in order, in one
// trace shared by all of them, so tests can check both what was sent and how
// it interleaves with pauses, hook calls and timers. Its timers also run on a
// virtual clock (advance).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/ForegroundCheckPort.h"
#include "core/HookPorts.h"
#include "core/InputPorts.h"
#include "core/InputRecords.h"
#include "core/PlaybackPorts.h"
#include "core/ReleasePorts.h"
#include "core/SavePort.h"
#include "core/ShellPorts.h"
#include "core/TimerPort.h"
#include "core/ViewPorts.h"

namespace vela::test {

struct Call {
    Call(std::string what_, std::vector<InputRecord> records_ = {}, std::uint64_t number_ = 0,
         std::uint64_t second_ = 0, std::wstring text_ = {})
        : what(std::move(what_)),
          records(std::move(records_)),
          number(number_),
          second(second_),
          text(std::move(text_)) {}

    std::string what;  // "send", "sleep", "install", "remove", "open", "run", "power", ...
    std::vector<InputRecord> records;  // for "send"
    std::uint64_t number = 0;          // ms, timer id, suspend flag...
    std::uint64_t second = 0;          // timer period
    std::wstring text;                 // file, command line, caption
    std::string slot;                  // slot name for hook, caption and playback calls
};

class Recorder final : public InputPort,
                       public HookPort,
                       public HookRequestPort,
                       public ShellPort,
                       public PowerPort,
                       public PlaybackPort,
                       public TypingPort,
                       public ViewPort,
                       public TimerPort,
                       public SavePort,
                       public WindowPort,
                       public ScriptPlayer,
                       public ReleasePort,
                       public ClickWatchPort,
                       public MouseTuningPort,
                       public ForegroundCheckPort {
public:
    // What the input port reports.
    Point cursor{100, 200};
    Size screen{1920, 1080};
    Rect desktop{0, 0, 1920, 1080};
    std::uint32_t tick = 1000;
    std::uint64_t extraInfo = 0;
    bool playbackStarts = true;
    // The layout's scan codes; a key not in it has none.
    std::map<std::uint16_t, std::uint16_t> scanCodes;
    // The keys the user's fingers hold down.
    std::set<std::uint16_t> keysDown;
    // The keys Vela sent up or down since (cleared when a finger moves): the
    // system's state says what was sent last, only a hook watching the
    // keyboard still knows what the fingers hold.
    std::map<std::uint16_t, bool> sentKeys;
    int keyWatches = 0;  // begun and not ended
    // The fingers hold `keys` now: the system hears of each that moved.
    void holdKeys(const std::set<std::uint16_t>& keys) {
        std::lock_guard lock(mutex_);
        for (int vk = 0; vk < 256; ++vk)
            if (keys.count(vk) != keysDown.count(vk)) sentKeys.erase(vk);
        keysDown = keys;
    }
    // Runs inside every pause: time passing, so the user can move the pointer
    // or the thread's extra info change while a Delay runs.
    std::function<void()> duringSleep;

    void send(std::span<const InputRecord> records) override {
        add({"send", {records.begin(), records.end()}});
        // Several playback threads may send through one recorder.
        std::lock_guard lock(mutex_);
        for (const InputRecord& r : records)
            if (r.type == InputRecord::Keyboard && r.virtualKey != 0)
                sentKeys[r.virtualKey] = (r.flags & kKeyUpFlag) == 0;
    }
    void sleepMs(std::uint32_t ms) override {
        add({"sleep", {}, ms});
        if (duringSleep) duringSleep();
    }
    Point cursorPos() override { return cursor; }
    Size primaryScreenSize() override { return screen; }
    Rect virtualScreen() override { return desktop; }
    std::uint32_t tickCount() override { return tick; }
    std::uint64_t messageExtraInfo() override { return extraInfo; }
    std::uint16_t scanCodeOf(std::uint16_t vk) override {
        const auto it = scanCodes.find(vk);
        return it == scanCodes.end() ? 0 : it->second;
    }
    bool keyDown(std::uint16_t vk) override {
        std::lock_guard lock(mutex_);
        const auto sent = sentKeys.find(vk);
        return sent != sentKeys.end() ? sent->second : keysDown.count(vk) != 0;
    }
    bool keyHeld(std::uint16_t vk) override { return keysDown.count(vk) != 0; }
    void watchKeys(bool on) override { keyWatches += on ? 1 : -1; }

    void install(Slot s) override { add(slotCall("install", s)); }
    void remove(Slot s) override { add(slotCall("remove", s)); }
    // A request of the engine, traced as the slots it puts in and takes out.
    void want(SlotSet slots) override {
        for (const SlotInfo& info : kSlotTable) {
            if (slots.has(info.slot) != wanted_.has(info.slot))
                add(slotCall(slots.has(info.slot) ? "install" : "remove", info.slot));
        }
        wanted_ = slots;
    }

    void openFile(const std::wstring& file) override { add({"open", {}, 0, 0, file}); }
    void runCommandAndWait(const std::wstring& line) override { add({"run", {}, 0, 0, line}); }
    void requestPowerState(bool suspend) override { add({"power", {}, suspend ? 1u : 0u}); }
    bool startPlayback(Slot s) override {
        add(slotCall("playback", s));
        return playbackStarts;
    }
    bool startTyping(Slot s, std::wstring text) override {
        Call c = slotCall("type", s);
        c.text = std::move(text);
        add(c);
        return playbackStarts;
    }

    void setCaption(Slot s, const std::wstring& text) override {
        Call c = slotCall("caption", s);
        c.text = text;
        add(c);
    }
    void setDescriptionLabel(Slot s, const std::wstring& text) override {
        Call c = slotCall("label", s);
        c.text = text;
        add(c);
    }
    void repaintCaptions() override { add({"repaint"}); }
    void setCaptionInherited(Slot s, bool inherited) override {
        Call c = slotCall(inherited ? "inherited" : "own", s);
        add(c);
    }
    void setProfileCaption(const std::wstring& text) override {
        Call c{"profile"};
        c.text = text;
        add(c);
    }
    void start(int id, std::uint32_t ms) override {
        add({"timer", {}, static_cast<std::uint64_t>(id), ms});
        timers_[id] = {now_ + ms, ms};
    }
    void stop(int id) override {
        add({"kill", {}, static_cast<std::uint64_t>(id)});
        timers_.erase(id);
    }
    void saveAll() override { add({"save"}); }
    void hide() override { add({"hide"}); }
    void show() override { add({"show"}); }

    // The virtual clock of the timers, in milliseconds.
    std::uint64_t now() const { return now_; }
    // The timers running now, by id, with their periods.
    std::map<int, std::uint64_t> running() const {
        std::map<int, std::uint64_t> out;
        for (const auto& [id, timer] : timers_) out[id] = timer.period;
        return out;
    }
    // Moves the clock on by `ms`, calling `fire` for each timer as it falls
    // due, in time order. Like a window timer, one that `fire` leaves running
    // comes round again a period later.
    void advance(std::uint64_t ms, const std::function<void(int)>& fire) {
        const std::uint64_t until = now_ + ms;
        for (;;) {
            auto next = timers_.end();
            for (auto it = timers_.begin(); it != timers_.end(); ++it)
                if (it->second.due <= until &&
                    (next == timers_.end() || it->second.due < next->second.due))
                    next = it;
            if (next == timers_.end()) break;
            const int id = next->first;
            now_ = next->second.due;
            next->second.due = now_ + std::max<std::uint64_t>(next->second.period, 1);
            fire(id);
        }
        now_ = until;
    }
    void playOnThisThread(Slot s) override { add(slotCall("play", s)); }
    void releaseSlot(Slot s) override { add(slotCall("release", s)); }
    void releaseAll() override { add({"release-all"}); }
    void watchClicks(bool on) override { add({on ? "clicks-on" : "clicks-off"}); }
    // "tune-on" while anything is tuned, "tune-off" for nothing; the last kept.
    void tune(const MouseTuning& t) override {
        tuning = t;
        add({tunesAnything(t) ? "tune-on" : "tune-off"});
    }
    void letGo() override { add({"mouse-let-go"}); }
    MouseTuning tuning;
    // The window in front never changes here: a test sets the profile itself.
    void checkForeground(bool) override {}
    WindowIdentity windowUnderPointer() override { return underPointer; }
    WindowIdentity underPointer;
    void clickSeen() override {}

    std::vector<Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

    // The batches handed to SendInput, in order.
    std::vector<std::vector<InputRecord>> sends() const;
    // Every record sent, flattened.
    std::vector<InputRecord> records() const;
    // A compact trace such as "send:1 sleep:30 remove:R install:R".
    std::string trace() const;

private:
    static Call slotCall(const char* what, Slot s) {
        Call c{what};
        c.slot = std::string(slotInfo(s).name);
        return c;
    }
    void add(Call c) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(c));
    }

    struct Timer {
        std::uint64_t due;
        std::uint64_t period;
    };

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    std::map<int, Timer> timers_;
    SlotSet wanted_;
    std::uint64_t now_ = 0;
};

inline std::vector<std::vector<InputRecord>> Recorder::sends() const {
    std::vector<std::vector<InputRecord>> out;
    for (const Call& c : calls())
        if (c.what == "send") out.push_back(c.records);
    return out;
}

inline std::vector<InputRecord> Recorder::records() const {
    std::vector<InputRecord> out;
    for (const auto& batch : sends()) out.insert(out.end(), batch.begin(), batch.end());
    return out;
}

inline std::string Recorder::trace() const {
    std::string out;
    for (const Call& c : calls()) {
        if (!out.empty()) out += ' ';
        out += c.what;
        if (c.what == "send") {
            out += ':' + std::to_string(c.records.size());
        } else if (c.what == "sleep" || c.what == "power" || c.what == "kill") {
            out += ':' + std::to_string(c.number);
        } else if (c.what == "timer") {
            out += ':' + std::to_string(c.number) + '/' + std::to_string(c.second);
        } else if (!c.slot.empty()) {
            out += ':' + c.slot;
        }
    }
    return out;
}

}  // namespace vela::test

namespace vela {
// Readable failure output for record comparisons.
inline void PrintTo(const InputRecord& r, std::ostream* os) {
    *os << (r.type == InputRecord::Mouse ? "{mouse dx=" : "{key vk=");
    if (r.type == InputRecord::Mouse) {
        *os << r.dx << " dy=" << r.dy << " data=" << static_cast<std::int32_t>(r.mouseData);
    } else {
        *os << r.virtualKey << " scan=" << r.scanCode;
    }
    *os << " flags=0x" << std::hex << r.flags << std::dec << " time=" << r.time
        << " extra=" << r.extraInfo << "}";
}
}  // namespace vela
