#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "core/ActionExecutor.h"
#include "core/LayerState.h"
#include "core/PressPath.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

constexpr std::uint8_t kVolumeUp = 0xAF;
constexpr std::uint8_t kVolumeDown = 0xAE;

ButtonAssignment keys(Action function, bool held = false) {
    ButtonAssignment a;
    a.remapped = true;
    a.action = std::move(function);
    a.holdWhilePressed = held;
    return a;
}
ButtonAssignment keys(ChordModifier modifier, std::uint8_t vk, bool held = false) {
    return keys(action::Key{modifier, vk}, held);
}
const ButtonAssignment kLayerWhileHeld = keys(action::LayerWhileHeld{});

// What a record does to the program, as the tests spell it: "Ctrl↓",
// "XButton1↑", "Wheel+120".
std::string spelled(const InputRecord& r) {
    const auto arrow = [&](std::uint32_t upFlags) { return r.flags & upFlags ? "↑" : "↓"; };
    if (r.type == InputRecord::Keyboard) {
        static const std::map<int, std::string> names{{vk::Control, "Ctrl"},
                                                      {vk::Shift, "Shift"},
                                                      {vk::Tab, "Tab"},
                                                      {kVolumeUp, "VolumeUp"},
                                                      {kVolumeDown, "VolumeDown"}};
        const auto name = names.find(r.virtualKey);
        return (name != names.end() ? name->second : std::string(1, char(r.virtualKey))) +
               arrow(kKeyUpFlag);
    }
    if (r.flags & (mouseflag::XDown | mouseflag::XUp))
        return "XButton" + std::to_string(r.mouseData) + arrow(mouseflag::XUp);
    if (r.flags & (mouseflag::MiddleDown | mouseflag::MiddleUp))
        return std::string("Middle") + arrow(mouseflag::MiddleUp);
    const auto delta = static_cast<std::int32_t>(r.mouseData);
    return "Wheel" + std::string(delta > 0 ? "+" : "") + std::to_string(delta);
}

// The real executor and ledger, driven by the layer state, over "All
// Programs" and a set of overlays to fill. What they send is
// logged as spelled, among the changes of the layer hooks ("hooks:X1,WU",
// "hooks:-").
struct LayeredExecutor : LayerPort {
    test::Recorder rec;
    SlotModel all{rec, rec, rec};
    OverlaySet overlays;
    OverlayStack stack{all, overlays};
    LayerState state{stack, *this};
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor{all, {rec, rec, rec, rec, rec, &held}, playback};
    SlotSet layerHooks;
    std::vector<std::string> log;

    void activate(Slot slot, const ButtonAssignment& function, std::uint32_t detail) override {
        function.remapped ? executor.run(slot, function, detail) : executor.sendOwnInput(slot);
    }
    void release(Slot slot) override { executor.onRelease(slot); }
    void setLayerHooks(SlotSet slots) override {
        layerHooks = slots;
        std::string names;
        for (const SlotInfo& info : kSlotTable)
            if (slots.has(info.slot)) names += (names.empty() ? "" : ",") + std::string(info.name);
        logSent();
        log.push_back("hooks:" + (names.empty() ? "-" : names));
    }
    void logSent() {
        const std::vector<InputRecord> sent = rec.records();
        rec.clear();
        for (const InputRecord& r : sent) log.push_back(spelled(r));
    }
    std::string logText() {
        logSent();
        std::string text;
        for (const std::string& entry : log) text += (text.empty() ? "" : " ") + entry;
        return text;
    }
};

// What one event sent, with the program's keys and buttons kept up to date.
struct Sent {
    std::string text;
    std::set<std::string> downs, ups;
};
Sent takeSent(LayeredExecutor& w, std::set<std::string>& down) {
    w.logSent();
    Sent sent;
    for (const std::string& s : w.log) {
        if (s.starts_with("hooks:")) continue;
        sent.text += (sent.text.empty() ? "" : " ") + s;
        const std::string input = s.substr(0, s.size() - std::string("↓").size());
        if (s.ends_with("↓")) {
            sent.downs.insert(input);
            down.insert(input);
        } else if (s.ends_with("↑")) {
            EXPECT_EQ(down.erase(input), 1u) << "an up without its down: " << s;
            sent.ups.insert(input);
        }
    }
    w.log.clear();
    return sent;
}

// Any interleaving of the layer button (Back, X2) and two inputs its layer
// sets, with gaps around the tap time, and clicks and abandons between:
// Forward (X1) holds Ctrl+Tab in the layer and is its own button outside it;
// Right (R) is Ctrl+W in the layer and holds Shift outside it.
TEST(LayerStateProperty, EveryPressEndsInItsOwnFunctionAndBackIsOnlyEverATap) {
    enum Event { Back, Forward, Right, Click, Abandon };
    const std::array<Slot, 3> buttons{Slot::X2, Slot::X1, Slot::R};
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto w = std::make_unique<LayeredExecutor>();
        w->all.at(Slot::X2) = kLayerWhileHeld;
        w->all.at(Slot::R) = keys(ChordModifier::None, vk::Shift, true);
        Overlay& back = w->overlays.add(LayerKey{Slot::X2});
        back.slots[Slot::X1] = keys(ChordModifier::Control, vk::Tab, true);
        back.slots[Slot::R] = keys(ChordModifier::Control, 'W');
        std::mt19937 rng(seed);
        std::uint32_t tick = seed % 2 ? 1000 : 0xFFFFF000;  // half the runs cross the wrap
        std::set<std::string> down;                         // what the program has down
        SlotArray<std::set<std::string>> holds;             // what each press holds
        SlotArray<bool> isDown, inLayer;
        bool layer = false, tap = false;
        std::uint32_t layerTick = 0;

        // A release (or an abandon) lets go of what the presses it ends hold,
        // and of nothing else.
        const auto letGo = [&](const std::vector<Slot>& ending, const Sent& sent) {
            EXPECT_TRUE(sent.downs.empty()) << sent.text;
            for (const std::string& up : sent.ups)
                EXPECT_TRUE(std::any_of(ending.begin(), ending.end(), [&](Slot s) {
                    return holds[s].contains(up);
                })) << up;
            for (Slot s : ending) {
                for (const std::string& input : holds[s]) EXPECT_FALSE(down.contains(input));
                holds[s].clear();
                inLayer[s] = false;
            }
        };
        const auto run = [&](Event event) {
            const Slot slot = buttons[std::min<std::size_t>(event, 2)];
            if (event == Click) {
                w->state.otherInput();
                tap = false;
                EXPECT_EQ(takeSent(*w, down).text, "");
            } else if (event == Abandon) {
                w->state.abandon();
                std::vector<Slot> ending;
                for (Slot s : buttons)
                    if (isDown[s] && inLayer[s]) ending.push_back(s);
                letGo(ending, takeSent(*w, down));
                layer = false;
            } else if (!isDown[slot]) {
                w->state.press(slot, tick);
                isDown[slot] = true;
                const Sent sent = takeSent(*w, down);
                if (slot == Slot::X2) {
                    EXPECT_EQ(sent.text, "") << "the layer button's press sends nothing";
                    layer = tap = true;
                    layerTick = tick;
                    return;
                }
                EXPECT_EQ(sent.text, slot == Slot::X1 ? (layer ? "Ctrl↓ Tab↓" : "XButton2↓")
                                                      : (layer ? "Ctrl↓ W↓ W↑ Ctrl↑" : "Shift↓"));
                for (const std::string& input : sent.downs)
                    if (!sent.ups.contains(input)) holds[slot].insert(input);
                inLayer[slot] = layer;
                tap = false;
            } else {
                w->state.release(slot, tick);
                isDown[slot] = false;
                const Sent sent = takeSent(*w, down);
                if (slot != Slot::X2) {
                    letGo({slot}, sent);
                    return;
                }
                const bool tapped = layer && tap && tick - layerTick <= kLayerTapMaxMs;
                EXPECT_EQ(sent.text, tapped ? "XButton1↓ XButton1↑" : "");
                layer = false;
            }
        };
        for (int i = 0; i < 40 && !HasFailure(); ++i) {
            tick += rng() % 2 ? rng() % 120 : rng() % 700;
            run(static_cast<Event>(rng() % 10 < 8 ? rng() % 3 : Click + rng() % 2));
            EXPECT_EQ(w->layerHooks, layer ? SlotSet{Slot::X1} : SlotSet{});
        }
        for (std::size_t b = 0; b < buttons.size(); ++b)
            if (isDown[buttons[b]]) run(static_cast<Event>(b));
        EXPECT_TRUE(down.empty());
        EXPECT_FALSE(w->held.holdsAnything());
        if (HasFailure()) return;
    }
}

// Back (X2) holds a layer in which the wheel sets the volume and Forward (X1)
// gives Ctrl+Tab, or holds Shift where a row says so. The middle button holds
// a layer of its own. "All Programs" has Copy on the right button; editor.exe
// has Page Up on the wheel and Paste on the right button. Steps: "X2v" a
// press, "X2^" a release, a number the milliseconds until the next step,
// "click" a click Vela leaves alone, "abandon" a pause or a switch.
TEST(LayerStateScenarios, WhatEachSequenceSends) {
    struct Row {
        const char* name;
        const char* steps;
        const char* sent;
        bool forwardHoldsShift = false;
        const wchar_t* program = L"";
        // Whether Back's and the middle button's layers keep their own
        // click, where the user chose.
        std::optional<bool> ownClick = std::nullopt;
    };
    const Row rows[] = {
        {"three notches inside the layer are three Volume Up, the wheel is back after it",
         "X2v 40 WUv 40 WUv 40 WUv 40 X2^ 40 WUv",
         "hooks:X1,WD,WU VolumeUp↓ VolumeUp↑ VolumeUp↓ VolumeUp↑ VolumeUp↓ VolumeUp↑ hooks:- "
         "Wheel+120"},
        {"Back and Forward give Ctrl+Tab and no button", "X2v 40 X1v 40 X1^ 40 X2^",
         "hooks:X1,WD,WU Ctrl↓ Tab↓ Tab↑ Ctrl↑ hooks:-"},
        {"a tap of Back is Back, down and up at the release", "X2v 400 X2^",
         "hooks:X1,WD,WU hooks:- XButton1↓ XButton1↑"},
        {"held past the tap time it is no tap", "X2v 401 X2^", "hooks:X1,WD,WU hooks:-"},
        {"a middle layer button keeps its click however long it was held", "Mv 2000 M^",
         "hooks:- hooks:- Middle↓ Middle↑"},
        {"unless told not to", "Mv 2000 M^", "hooks:- hooks:-", false, L"", false},
        {"Back told to keep its click taps however long it was held", "X2v 2000 X2^",
         "hooks:X1,WD,WU hooks:- XButton1↓ XButton1↑", false, L"", true},
        {"a click meanwhile spoils the tap", "X2v 20 click 20 X2^", "hooks:X1,WD,WU hooks:-"},
        {"Back up before a held Forward: Shift comes up with Forward", "X2v 40 X1v 40 X2^ 40 X1^",
         "hooks:X1,WD,WU Shift↓ hooks:- Shift↑", true},
        {"Forward down before Back stays itself; its release does not spoil the tap",
         "X1v 40 X2v 40 X1^ 40 X2^",
         "XButton2↓ hooks:X1,WD,WU XButton2↑ hooks:- XButton1↓ XButton1↑"},
        {"abandoned: Shift up at once, no tap, no release later",
         "X2v 40 X1v 40 abandon 40 X1^ 40 X2^", "hooks:X1,WD,WU Shift↓ Shift↑ hooks:-", true},
        {"the layer over the program's profile over All Programs", "X2v 40 WUv 40 Rv 40 R^ 40 X2^",
         "hooks:X1,WD VolumeUp↓ VolumeUp↑ Ctrl↓ V↓ V↑ Ctrl↑ hooks:-", false, L"editor.exe"},
        {"a second press (its release went missing) ends the layer before it", "X2v 40 X2v 40 X2^",
         "hooks:X1,WD,WU hooks:- hooks:X1,WD,WU hooks:- XButton1↓ XButton1↑"},
        {"another layer button inside the layer is a plain button", "X2v 40 Mv 40 M^ 40 X2^",
         "hooks:X1,WD,WU Middle↓ Middle↑ hooks:-"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto w = std::make_unique<LayeredExecutor>();
        w->all.at(Slot::X2) = keys(action::LayerWhileHeld{row.ownClick});
        w->all.at(Slot::M) = keys(action::LayerWhileHeld{row.ownClick});
        w->all.at(Slot::R) = keys(ChordModifier::Control, 'C');
        Overlay& editor = w->overlays.add(ProgramKey{L"editor.exe"});
        editor.slots[Slot::WU] = keys(ChordModifier::None, 0x21);
        editor.slots[Slot::R] = keys(ChordModifier::Control, 'V');
        w->stack.setForeground({row.program});
        Overlay& back = w->overlays.add(LayerKey{Slot::X2});
        back.slots[Slot::WU] = keys(ChordModifier::None, kVolumeUp);
        back.slots[Slot::WD] = keys(ChordModifier::None, kVolumeDown);
        back.slots[Slot::X1] = row.forwardHoldsShift ? keys(ChordModifier::None, vk::Shift, true)
                                                     : keys(ChordModifier::Control, vk::Tab);
        std::uint32_t tick = 1000;
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;) {
            const std::string input = step.substr(0, step.size() - 1);
            const auto slot =
                std::find_if(kSlotTable.begin(), kSlotTable.end(),
                             [&](const SlotInfo& info) { return info.name == input; });
            if (std::isdigit(static_cast<unsigned char>(step[0]))) {
                tick += static_cast<std::uint32_t>(std::stoul(step));
            } else if (step == "click") {
                w->state.otherInput();
            } else if (step == "abandon") {
                w->state.abandon();
            } else if (step.back() == 'v') {
                w->state.press(slot->slot, tick);
            } else {
                w->state.release(slot->slot, tick);
            }
        }
        EXPECT_EQ(w->logText(), row.sent);
        EXPECT_FALSE(w->held.holdsAnything());
    }
}

// Vela's wiring: the layer's hooks behind the pause; whatever lets go of held
// input (a new assignment, pause, Reset, Exit, a switch of profile) ends a
// held layer first, what its presses hold coming up, no tap after.
struct WiredLayers {
    test::Recorder libraries, rec;
    LayerEndingRelease letGo{rec, presses};
    PausableHooks hooks{libraries, &letGo};
    SlotModel all{hooks, rec, rec, &letGo};
    OverlaySet overlays;
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor{all, {rec, rec, rec, rec, rec, &held}, playback};
    PressPath presses{all, overlays, hooks, &letGo, nullptr, executor, rec};
};

TEST(LayerWiring, WhateverLetsGoEndsTheHeldLayerAndItsHooks) {
    const std::function<void(WiredLayers&)> events[] = {
        [](WiredLayers& w) {
            w.all.assign(Slot::WD, L"Copy", action::Key{ChordModifier::Control, 'C'});
        },
        [](WiredLayers& w) { w.hooks.setPaused(true); },
        [](WiredLayers& w) { w.all.resetAll(w.rec); },
        [](WiredLayers& w) { w.letGo.releaseAll(); },
        [](WiredLayers& w) { w.presses.profiles().foregroundChanged({L"a.exe"}); },
    };
    for (const auto& event : events) {
        SCOPED_TRACE(&event - events);
        auto w = std::make_unique<WiredLayers>();
        w->all.assign(Slot::X2, L"Layer While Held", action::LayerWhileHeld{});
        w->overlays.add(ProgramKey{L"a.exe"}).slots[Slot::WD] = keys(ChordModifier::None, 'D');
        w->overlays.add(LayerKey{Slot::X2}).slots[Slot::X1] =
            keys(ChordModifier::None, vk::Shift, true);
        w->presses.pressed(Slot::X2, 0, 1000);
        w->presses.profiles().foregroundChanged({L"b.exe"});  // no profile before or now: no change
        w->presses.pressed(Slot::X1, 0, 1040);
        EXPECT_TRUE(w->hooks.hooked(Slot::X1));
        event(*w);
        EXPECT_FALSE(w->hooks.hooked(Slot::X1));
        EXPECT_EQ(w->presses.heldLayer(), std::nullopt);
        w->presses.released(Slot::X1, 1080);
        w->presses.released(Slot::X2, 1100);
        std::string sent;
        for (const InputRecord& r : w->rec.records()) sent += spelled(r) + " ";
        EXPECT_EQ(sent, "Shift↓ Shift↑ ") << "up at once, nothing twice, no tap";
    }
}

// Where the wheel follows the pointer, a notch acts by the profile of the
// window under the pointer and a button by the one in front; the wheel's hook
// is in wherever some profile remaps it, and a notch over a window whose
// profile does not gives the notch itself.
TEST(LayerWiring, TheWheelActsByTheWindowUnderThePointerWhereChosen) {
    auto w = std::make_unique<WiredLayers>();
    Overlay& mail = w->overlays.add(WindowKey{L"", L"", L"*Mail*"});
    mail.slots[Slot::WD] = keys(ChordModifier::None, 'D');
    mail.slots[Slot::X1] = keys(ChordModifier::None, 'X');
    w->presses.profiles().foregroundChanged({L"b.exe"});
    EXPECT_FALSE(w->hooks.hooked(Slot::WD));
    w->presses.profiles().setWheelFollowsPointer(true);
    EXPECT_TRUE(w->hooks.hooked(Slot::WD));
    EXPECT_FALSE(w->hooks.hooked(Slot::X1)) << "a button follows the window in front";
    w->rec.underPointer = {L"c.exe", L"", L"Inbox - Mail"};
    w->presses.pressed(Slot::WD, 0, 1000);
    w->rec.underPointer = {L"b.exe", L"", L"Notes"};
    w->presses.pressed(Slot::WD, 0, 1010);
    w->presses.profiles().setWheelFollowsPointer(false);
    EXPECT_FALSE(w->hooks.hooked(Slot::WD));
    w->presses.profiles().setWheelFollowsPointer(true);
    w->all.assign(Slot::WD, L"Page Down", action::Key{ChordModifier::None, 'P'});
    w->overlays.add(ProgramKey{L"game.exe"}).velaOff = true;
    w->rec.underPointer = {L"game.exe"};
    w->presses.pressed(Slot::WD, 0, 1020);
    std::string sent;
    for (const InputRecord& r : w->rec.records()) sent += spelled(r) + " ";
    EXPECT_EQ(sent, "D↓ D↑ Wheel-120 Wheel-120 ") << "left alone where Vela is off";
}

}  // namespace
}  // namespace vela
