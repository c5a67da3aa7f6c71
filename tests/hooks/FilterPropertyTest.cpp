// The pairing of presses and releases through both filters, over thousands of
// random event sequences: a press that passed has its release passed, a press
// that was swallowed has its release (and its auto-repeats) swallowed, and
// each swallowed press reports exactly once, its release exactly once as a
// release (what a function held while the input is down relies on). The sequences mix the side
// buttons, Tab and both Alt keys with installs, removes, auto-repeat and the
// watchdog's reinstall; the hooks come and go as the engine takes them in and
// out, and what arrives while a hook is out reaches the system unseen. A
// failure prints the shortest sequence that still fails.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hooks/KeyFilter.h"
#include "hooks/MouseFilter.h"

namespace vela::hooks {
namespace {

// The physical inputs: four buttons, then Tab, left Alt and right Alt.
enum Input { Right, Middle, Forward, Back, Tab, LeftAlt, RightAlt, kInputs };
constexpr std::array<const char*, kInputs> kInputNames{"Right", "Middle", "Forward", "Back",
                                                       "Tab",   "LAlt",   "RAlt"};
constexpr std::array<Slot, 5> kSlots{Slot::R, Slot::M, Slot::X1, Slot::X2, Slot::AltTab};

bool isKey(Input i) {
    return i >= Tab;
}

struct Step {
    enum Kind { Down, Up, Install, Remove, Reinstall } kind;
    int what;  // an Input, or an index into kSlots
};

std::string describe(const std::vector<Step>& steps) {
    std::ostringstream out;
    for (const Step& s : steps) {
        switch (s.kind) {
            case Step::Down:
                out << kInputNames[s.what] << "-down ";
                break;
            case Step::Up:
                out << kInputNames[s.what] << "-up ";
                break;
            case Step::Install:
                out << "install:" << slotInfo(kSlots[s.what]).name << ' ';
                break;
            case Step::Remove:
                out << "remove:" << slotInfo(kSlots[s.what]).name << ' ';
                break;
            case Step::Reinstall:
                out << "watchdog-reinstall ";
                break;
        }
    }
    return out.str();
}

// The hook engine as far as pairing goes: the filters, the installed slots,
// and whether each hook is in (needed for an installed slot, or to catch a
// release still owed).
class Engine {
public:
    Verdict feed(Input input, bool down) {
        const bool hooked = isKey(input) ? keyHook_ : mouseHook_;
        Verdict v;  // unhooked: the system gets it unseen
        if (hooked) {
            v = isKey(input) ? keys_.onEvent(keyInput(input, down), installed_)
                             : mouse_.onEvent(mouseInput(input, down), installed_);
        }
        if (!v.suppress) systemDown_[input] = down;
        settle();
        return v;
    }
    void install(Slot s) {
        installed_ = installed_.with(s);
        settle();
    }
    void remove(Slot s) {
        installed_ = installed_.without(s);
        settle();
    }
    // The watchdog takes both hooks out and puts back what is needed; the
    // filters keep what they know.
    void reinstall() {
        keyHook_ = mouseHook_ = false;
        settle();
    }

private:
    // The engine tells the keyboard filter what the system holds down
    // (GetAsyncKeyState) each time the hook goes in.
    void settle() {
        const bool keysNeeded = intersects(installed_, keyboardSlots()) || keys_.holdsRelease();
        if (keysNeeded && !keyHook_)
            keys_.onHookInstalled(systemDown_[Tab], systemDown_[LeftAlt], systemDown_[RightAlt]);
        keyHook_ = keysNeeded;
        mouseHook_ = intersects(installed_, mouseSlots()) || mouse_.holdsRelease();
    }
    static KeyInput keyInput(Input i, bool down) {
        KeyInput in;
        in.virtualKey = i == Tab       ? keycode::Tab
                        : i == LeftAlt ? keycode::LeftAlt
                                       : keycode::RightAlt;
        in.down = down;
        return in;
    }
    static MouseInput mouseInput(Input i, bool down) {
        MouseInput in;
        switch (i) {
            case Right:
                in.kind = down ? MouseEventKind::RightDown : MouseEventKind::RightUp;
                break;
            case Middle:
                in.kind = down ? MouseEventKind::MiddleDown : MouseEventKind::MiddleUp;
                break;
            default:
                in.kind = down ? MouseEventKind::XDown : MouseEventKind::XUp;
                in.xButton = i == Forward ? kXButton2 : kXButton1;
                break;
        }
        return in;
    }

    KeyFilter keys_;
    MouseFilter mouse_;
    SlotSet installed_;
    bool keyHook_ = false;
    bool mouseHook_ = false;
    std::array<bool, kInputs> systemDown_{};  // what passed, as the system has it
};

// Runs `steps` from a fresh engine; the first broken rule, or nothing.
std::optional<std::string> firstViolation(const std::vector<Step>& steps) {
    Engine engine;
    std::array<bool, kInputs> held{};
    std::array<std::optional<bool>, kInputs> pressSwallowed{};
    for (std::size_t n = 0; n < steps.size(); ++n) {
        const Step& s = steps[n];
        const std::string at = " at step " + std::to_string(n + 1);
        if (s.kind == Step::Install) {
            engine.install(kSlots[s.what]);
            continue;
        }
        if (s.kind == Step::Remove) {
            engine.remove(kSlots[s.what]);
            continue;
        }
        if (s.kind == Step::Reinstall) {
            engine.reinstall();
            continue;
        }
        const auto input = static_cast<Input>(s.what);
        const bool down = s.kind == Step::Down;
        const Verdict v = engine.feed(input, down);
        const std::string name = kInputNames[input];
        if (v.reportSlot && v.reports != 1)
            return name + " reported " + std::to_string(v.reports) + " times" + at;
        if (v.reportSlot && !v.release && input == Tab && !held[LeftAlt] && !held[RightAlt])
            return "Tab reported with no Alt held" + at;
        if (v.maskFirst && (down || (input != LeftAlt && input != RightAlt)))
            return name + (down ? "-down" : "-up") + " masked: only an Alt release is" + at;
        if (down && !held[input]) {  // a press
            held[input] = true;
            pressSwallowed[input] = v.suppress;
            if (v.reportSlot && input >= LeftAlt) return name + " press reported" + at;
            if (v.suppress && !v.reportSlot && input != LeftAlt && input != RightAlt)
                return name + " press swallowed without a report" + at;
            if (!v.suppress && v.reportSlot) return name + " press passed but reported" + at;
            if (v.release) return name + " press reported as a release" + at;
        } else if (down) {  // an auto-repeat
            if (v.reportSlot) return name + " auto-repeat reported" + at;
            if (*pressSwallowed[input] && !v.suppress)
                return name + " auto-repeat of a swallowed press passed" + at;
        } else {  // a release
            held[input] = false;
            const bool wanted = pressSwallowed[input].value_or(false);
            if (v.suppress != wanted)
                return name +
                       (wanted ? " release passed after its press was swallowed"
                               : " release swallowed after its press passed") +
                       at;
            const bool owed = wanted && input != LeftAlt && input != RightAlt;
            if (owed && !(v.reportSlot && v.release))
                return name + " release of a reported press not reported as a release" + at;
            if (!owed && v.reportSlot) return name + " release reported" + at;
            pressSwallowed[input].reset();
        }
    }
    return std::nullopt;
}

// A random sequence that a real keyboard and mouse could produce: releases
// only of what is down, auto-repeats only of held keys.
std::vector<Step> randomSteps(std::mt19937& rng, int length) {
    std::vector<Step> steps;
    std::array<bool, kInputs> held{};
    std::uniform_int_distribution<int> pick(0, 99);
    while (static_cast<int>(steps.size()) < length) {
        const int roll = pick(rng);
        if (roll < 10) {
            steps.push_back({Step::Install, pick(rng) % static_cast<int>(kSlots.size())});
        } else if (roll < 18) {
            steps.push_back({Step::Remove, pick(rng) % static_cast<int>(kSlots.size())});
        } else if (roll < 21) {
            steps.push_back({Step::Reinstall, 0});
        } else {
            // Tab and the Alts come up more often than any one button.
            const int input = roll < 45 ? pick(rng) % 4 : Tab + pick(rng) % 3;
            const auto i = static_cast<Input>(input);
            if (!held[i]) {
                steps.push_back({Step::Down, input});
                held[i] = true;
            } else if (isKey(i) && pick(rng) < 40) {
                steps.push_back({Step::Down, input});  // auto-repeat
            } else {
                steps.push_back({Step::Up, input});
                held[i] = false;
            }
        }
    }
    return steps;
}

// Drops steps one at a time while the sequence still fails. A drop that
// leaves a release or repeat without its press makes an impossible sequence,
// which is skipped.
bool possible(const std::vector<Step>& steps) {
    std::array<bool, kInputs> held{};
    for (const Step& s : steps) {
        if (s.kind == Step::Up) {
            if (!held[s.what]) return false;
            held[s.what] = false;
        } else if (s.kind == Step::Down) {
            if (held[s.what] && !isKey(static_cast<Input>(s.what))) return false;
            held[s.what] = true;
        }
    }
    return true;
}

std::vector<Step> shrink(std::vector<Step> steps) {
    for (bool smaller = true; smaller;) {
        smaller = false;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            std::vector<Step> shorter = steps;
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
            if (possible(shorter) && firstViolation(shorter)) {
                steps = std::move(shorter);
                smaller = true;
                break;
            }
        }
    }
    return steps;
}

TEST(FilterPairing, EveryReleaseGoesTheWayOfItsPressOverRandomSequences) {
    std::mt19937 rng(20261208);
    constexpr int kSequences = 5000;
    for (int n = 0; n < kSequences; ++n) {
        const std::vector<Step> steps = randomSteps(rng, 60);
        if (const auto broken = firstViolation(steps)) {
            const std::vector<Step> shortest = shrink(steps);
            FAIL() << "sequence " << n << ": " << *firstViolation(shortest)
                   << "\n  shortest failing sequence: " << describe(shortest);
        }
    }
}

}  // namespace
}  // namespace vela::hooks
