// A physical mouse event in, the records that reach the system out: the
// hook's decision, its report, the press path and the executor as Vela
// wires them, over a recording input port.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/PressPath.h"
#include "hooks/MousePipeline.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela::hooks {
namespace {

ButtonAssignment keys(KeyAction action, std::uint8_t vk) {
    ButtonAssignment a;
    a.hookInstalled = true;
    a.actionGroup = toRaw(ActionGroup::KeyGroup);
    a.keyAction = toRaw(action);
    a.virtualKey = vk;
    return a;
}

struct Vela final : ForegroundCheckPort {
    test::Recorder rec, engine;
    LayerEndingRelease letGo{rec, presses};
    PausableHooks hooks{engine, &letGo};
    SlotModel all{hooks, rec, rec, &letGo};
    OverlaySet overlays;
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor{all, {rec, rec, rec, rec, rec, &held}, playback};
    PressPath presses{all, overlays, hooks, &letGo, nullptr, executor, *this};
    MousePipeline pipe;
    std::wstring inFront = L"explorer.exe";

    void checkForeground() override { presses.profiles().foregroundChanged(inFront); }
    void clickSeen() override {}

    // What the hook thread decides and posts, as the report window hands it on.
    void event(const MouseInput& in, Tick t) {
        SlotSet installed;
        for (const SlotInfo& info : kSlotTable)
            if (hooks.hooked(info.slot)) installed.add(info.slot);
        const MouseOutcome o = pipe.onEvent(in, t, installed);
        for (const Verdict& v : {o.released, o.verdict}) {
            if (!v.reportSlot) continue;
            if (v.release) presses.released(*v.reportSlot, t);
            for (int i = 0; !v.release && i < v.reports; ++i)
                presses.pressed(*v.reportSlot, v.detail, t);
        }
        if (o.otherInput) presses.otherInput();
    }
};

constexpr MouseInput kForwardDown{MouseEventKind::XDown, kXButton2};
constexpr MouseInput kForwardUp{MouseEventKind::XUp, kXButton2};
constexpr MouseInput kBackDown{MouseEventKind::XDown, kXButton1};
constexpr MouseInput kBackUp{MouseEventKind::XUp, kXButton1};
constexpr MouseInput kNotchUp{MouseEventKind::Wheel, 0, kNotch};

std::vector<InputRecord> ctrl(std::uint16_t vk) {
    return {test::key(vk::Control, false), test::key(vk, false), test::key(vk, true),
            test::key(vk::Control, true)};
}
const std::vector<InputRecord> kCopy = ctrl('C'), kPaste = ctrl('V');

TEST(PressOutcome, AMouseEventReachesTheSystemAsTheOverlayInFrontSaysOnce) {
    // Forward pastes, and copies in Notepad's profile; Back holds a layer
    // whose wheel turns up the volume. Notepad came forward unseen: the press
    // looks before it looks its function up.
    const std::pair<std::wstring, std::vector<InputRecord>> forwardRows[] = {
        {L"notepad.exe", kCopy},
        {L"explorer.exe", kPaste},
    };
    for (const auto& [program, want] : forwardRows) {
        Vela vela;
        vela.overlays.add(ProgramKey{L"notepad.exe"}).slots[Slot::X1] =
            keys(KeyAction::CtrlCombo, 'C');
        vela.all.assignKeyFunction(Slot::X1, L"Paste", toRaw(KeyAction::CtrlCombo), 'V');
        vela.presses.profiles().profilesChanged();
        vela.inFront = program;
        vela.event(kForwardDown, 1000);
        vela.event(kForwardUp, 1080);
        EXPECT_EQ(vela.rec.records(), want) << std::string(program.begin(), program.end());
    }

    Vela vela;
    vela.all.assignKeyFunction(Slot::X2, L"Layer While Held", toRaw(KeyAction::LayerWhileHeld), 0);
    vela.overlays.add(LayerKey{Slot::X2}).slots[Slot::WU] = keys(KeyAction::SingleKey, 0xAF);
    vela.event(kBackDown, 1000);
    vela.event(kNotchUp, 1040);
    vela.event(kBackUp, 1100);
    vela.event(kNotchUp, 1140);  // the layer is over: the notch scrolls
    EXPECT_EQ(vela.rec.records(), (std::vector<InputRecord>{test::extended(test::key(0xAF, false)),
                                                            test::extended(test::key(0xAF, true))}))
        << "the volume once, no Back: the notch spoiled the tap";
    EXPECT_FALSE(vela.hooks.hooked(Slot::WU));
}

}  // namespace
}  // namespace vela::hooks
