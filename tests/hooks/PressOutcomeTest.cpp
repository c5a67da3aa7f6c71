// A physical mouse event in, the records that reach the system out: the
// hook's decision and report, the press path, the executor, as Vela wires them.
#include <gtest/gtest.h>

#include "core/PressPath.h"
#include "hooks/MousePipeline.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela::hooks {
namespace {

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
    std::wstring inFront;

    void checkForeground() override { presses.profiles().foregroundChanged(inFront); }
    void clickSeen() override {}
    // The hook's outcome, posted and handed on as the report window does.
    void event(MouseEventKind kind, std::uint32_t xButton, int delta, Tick t) {
        SlotSet installed;
        for (const SlotInfo& info : kSlotTable)
            if (hooks.hooked(info.slot)) installed.add(info.slot);
        const MouseOutcome o = pipe.onEvent({kind, xButton, delta}, t, installed);
        for (const Verdict& v : {o.released, o.verdict}) {
            if (v.reportSlot && v.release) presses.released(*v.reportSlot, t);
            for (int i = 0; v.reportSlot && !v.release && i < v.reports; ++i)
                presses.pressed(*v.reportSlot, v.detail, t);
        }
        if (o.otherInput) presses.otherInput();
    }
};

std::vector<InputRecord> ctrl(std::uint16_t vk) {
    return {test::key(vk::Control, false), test::key(vk, false), test::key(vk, true),
            test::key(vk::Control, true)};
}

TEST(PressOutcome, AMouseEventReachesTheSystemAsTheOverlayInFrontSaysOnce) {
    // Forward pastes, and copies in Notepad's profile: Notepad came forward
    // unseen, the press looks before it looks its function up.
    for (const auto& [program, want] :
         {std::pair{L"notepad.exe", ctrl('C')}, std::pair{L"explorer.exe", ctrl('V')}}) {
        Vela vela;
        vela.all.assignKeyFunction(Slot::X1, L"Paste", toRaw(KeyAction::CtrlCombo), 'V');
        ButtonAssignment& copy = *(vela.overlays.add(ProgramKey{L"notepad.exe"}).slots[Slot::X1] =
                                       vela.all.at(Slot::X1));
        copy.virtualKey = 'C';
        vela.inFront = program;
        vela.event(MouseEventKind::XDown, kXButton2, 0, 1000);
        vela.event(MouseEventKind::XUp, kXButton2, 0, 1080);
        EXPECT_EQ(vela.rec.records(), want);
    }
    // Back holds a layer whose wheel turns the volume up; the notch spoils
    // Back's tap, and after the layer the wheel scrolls.
    Vela vela;
    vela.all.assignKeyFunction(Slot::X2, L"Layer", toRaw(KeyAction::LayerWhileHeld), 0);
    vela.all.assignKeyFunction(Slot::WU, L"Volume", toRaw(KeyAction::SingleKey), 0xAF);
    vela.overlays.add(LayerKey{Slot::X2}).slots[Slot::WU] = vela.all.at(Slot::WU);
    vela.all.removeHook(Slot::WU);
    vela.event(MouseEventKind::XDown, kXButton1, 0, 1000);
    vela.event(MouseEventKind::Wheel, 0, kNotch, 1040);
    vela.event(MouseEventKind::XUp, kXButton1, 0, 1100);
    vela.event(MouseEventKind::Wheel, 0, kNotch, 1140);
    EXPECT_EQ(vela.rec.records(), (std::vector{test::extended(test::key(0xAF, false)),
                                               test::extended(test::key(0xAF, true))}));
}

}  // namespace
}  // namespace vela::hooks
