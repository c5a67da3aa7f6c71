// Test doubles for the platform ports: each call is kept, in order, in one
// trace shared by all ports, so tests can check both what was sent and how it
// interleaves with pauses, hook calls and timers.
#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "core/Ports.h"
#include "core/SlotModel.h"
#include "core/TimerTasks.h"

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

class Recorder : public InputPort,
                 public HookPort,
                 public ShellPort,
                 public PowerPort,
                 public PlaybackPort,
                 public ViewPort,
                 public TimerPort,
                 public SavePort,
                 public WindowPort,
                 public ScriptPlayer {
public:
    // What the input port reports.
    Point cursor{100, 200};
    Size screen{1920, 1080};
    ScreenRect desktop{0, 0, 1920, 1080};
    std::uint32_t tick = 1000;
    std::uint64_t extraInfo = 0;
    bool playbackStarts = true;

    void send(std::span<const InputRecord> records) override {
        add({"send", {records.begin(), records.end()}});
    }
    void sleepMs(std::uint32_t ms) override { add({"sleep", {}, ms}); }
    Point cursorPos() override { return cursor; }
    Size primaryScreenSize() override { return screen; }
    ScreenRect virtualScreen() override { return desktop; }
    std::uint32_t tickCount() override { return tick; }
    std::uint64_t messageExtraInfo() override { return extraInfo; }

    void install(Slot s) override { add(slotCall("install", s)); }
    void remove(Slot s) override { add(slotCall("remove", s)); }

    void openFile(const std::wstring& file) override { add({"open", {}, 0, 0, file}); }
    void runCommandAndWait(const std::wstring& line) override { add({"run", {}, 0, 0, line}); }
    void requestPowerState(bool suspend) override { add({"power", {}, suspend ? 1u : 0u}); }
    bool startPlayback(Slot s) override {
        add(slotCall("playback", s));
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
    void start(int id, std::uint32_t ms) override {
        add({"timer", {}, static_cast<std::uint64_t>(id), ms});
    }
    void stop(int id) override { add({"kill", {}, static_cast<std::uint64_t>(id)}); }
    void saveAll() override { add({"save"}); }
    void hide() override { add({"hide"}); }
    void playOnThisThread(Slot s) override { add(slotCall("play", s)); }

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

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
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
