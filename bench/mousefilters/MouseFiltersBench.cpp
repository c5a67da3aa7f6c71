// What the chatter filter and the wheel shaper cost the hook per event, on
// against off, over one stream of clicks of random length and wheel turns,
// rich in bounces and stray notches (about a third of it is filtered when on,
// so the longer paths are well exercised); then what a button's triggers cost
// a pointer move while a gesture is held, and a press and its release with a
// Double Click set and without. Portable; build it optimised:
//
//   cmake -S . -B build/bench-native -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELA_BUILD_TESTS=OFF
//   cmake --build build/bench-native --target mouse_filters_bench
//   build/bench-native/bench/mousefilters/mouse_filters_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "hooks/ChatterFilter.h"
#include "hooks/MousePipeline.h"
#include "hooks/WheelShaper.h"

namespace {

using namespace vela;
using namespace vela::hooks;

constexpr int kEvents = 1'000'000;
constexpr int kRounds = 9;

struct Event {
    bool wheel;
    ButtonEvent button;
    WheelEvent turn;
};

std::vector<Event> stream() {
    std::mt19937 rng(1);
    std::vector<Event> events;
    std::array<bool, kMouseButtonCount> down{};
    Tick t = 0;
    while (events.size() < kEvents) {
        t += rng() % 5 == 0 ? rng() % 30 : 30 + rng() % 200;
        if (rng() % 3 == 0) {
            const int delta = (rng() % 10 == 0 ? -1 : 1) * kNotch;
            events.push_back({true, {}, {delta, rng() % 4 == 0, t, false}});
            continue;
        }
        const auto b = MouseButton(rng() % kMouseButtonCount);
        down[indexOf(b)] = !down[indexOf(b)];
        events.push_back({false, {b, down[indexOf(b)], t, false}, {}});
    }
    return events;
}

struct Figures {
    double nsPerEvent;  // median over the rounds
    unsigned filtered;  // events swallowed or dropped, one round
};

Figures measure(const std::vector<Event>& events, bool on) {
    MouseTuning tuning;
    for (ButtonChatter& c : tuning.chatter) c.on = on;
    tuning.wheelBounceFilter = on;
    tuning.reverseVertical = on;
    std::vector<double> perEvent;
    unsigned filtered = 0;
    for (int round = 0; round < kRounds; ++round) {
        filtered = 0;
        ChatterFilter chatter;
        WheelShaper wheel;
        chatter.configure(tuning);
        wheel.configure(tuning);
        const auto start = std::chrono::steady_clock::now();
        for (const Event& e : events) {
            if (e.wheel) {
                filtered += wheel.onWheel(e.turn).action == WheelVerdict::Action::Drop;
                continue;
            }
            // The hook thread's timer, as often as the filter asks.
            if (const auto due = chatter.nextDue(); due && ticksBetween(*due, e.button.time) > 0) {
                chatter.due(*due);
            }
            filtered += chatter.onEvent(e.button).swallow;
        }
        const std::chrono::duration<double, std::nano> took =
            std::chrono::steady_clock::now() - start;
        perEvent.push_back(took.count() / double(events.size()));
    }
    std::sort(perEvent.begin(), perEvent.end());
    return {perEvent[perEvent.size() / 2], filtered};
}

// Nanoseconds per event of `run(i)` over kEvents, median over the rounds.
template <typename Run>
double perEvent(Run&& run) {
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kEvents; ++i) run(i);
        const std::chrono::duration<double, std::nano> took =
            std::chrono::steady_clock::now() - start;
        rounds.push_back(took.count() / kEvents);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

MousePipeline withTriggers(bool doubleClick) {
    TriggerConfig config;
    config.buttons.of(MouseButton::Forward).hold = HoldUse::Gestures;
    config.buttons.of(MouseButton::Forward).doubleClick = doubleClick;
    MousePipeline p;
    p.configureTriggers(config, SlotSet{Slot::X1});
    return p;
}

// A held gesture button's moves (a circle, so gestures fire and repeat), and
// presses and releases of a gesture button, the double click's timer served.
void triggerFigures() {
    const SlotSet installed{Slot::X1};
    MousePipeline held = withTriggers(false);
    held.onEvent({MouseEventKind::XDown, kXButton2}, 0, installed);
    unsigned swallowed = 0;
    const double move = perEvent([&](int i) {
        MouseInput in{MouseEventKind::Move};
        in.x = i % 97 - 48, in.y = i % 89 - 44;
        swallowed += held.onEvent(in, Tick(i), installed).swallow;
    });
    std::printf("gesture held: %6.1f ns/move  (%u swallowed)\n", move, swallowed / kRounds);
    for (const bool doubleClick : {false, true}) {
        MousePipeline p = withTriggers(doubleClick);
        const double press = perEvent([&](int i) {
            const Tick t = Tick(i) * 300;
            if (const auto due = p.nextDue(); due && ticksBetween(*due, t) > 0)
                p.due(*due, installed);
            p.onEvent({i % 2 ? MouseEventKind::XUp : MouseEventKind::XDown, kXButton2}, t,
                      installed);
        });
        std::printf("gestures, double click %-3s %6.1f ns/press or release\n",
                    doubleClick ? "set" : "not", press);
    }
}

}  // namespace

int main() {
    const std::vector<Event> events = stream();
    std::printf("%d button and wheel events, median of %d rounds\n", kEvents, kRounds);
    for (const bool on : {false, true}) {
        const Figures f = measure(events, on);
        std::printf("filters %-3s  %6.1f ns/event  (%u filtered)\n", on ? "on" : "off",
                    f.nsPerEvent, f.filtered);
    }
    triggerFigures();
    return 0;
}
