// Hook changes made while a press is handled (a profile switch, a held
// layer, pause): Vela asks the engine and goes on; a press acts on what Vela
// asked for, whatever the engine has done by then.
#include <gtest/gtest.h>

#include <vector>

#include "core/ActionExecutor.h"
#include "core/HeldInputs.h"
#include "core/PausableHooks.h"
#include "core/SlotModel.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

// The hook engine, its hooks in only once the test answers. A call of a
// slot's library is a round trip that waits for the hook thread: counted.
struct LateEngine final : HookPort, HookRequestPort {
    void install(Slot) override { ++roundTrips; }
    void remove(Slot) override { ++roundTrips; }
    void want(SlotSet slots) override { asked.push_back(slots); }
    void answer() {
        if (!asked.empty()) in = asked.back();
    }

    int roundTrips = 0;
    std::vector<SlotSet> asked;
    SlotSet in;
};

TEST(HookRequests, EachChangeAsksOnceForTheWholeSetAndWaitsForNothing) {
    LateEngine engine;
    test::Recorder rec;
    PausableHooks hooks(engine);
    SlotModel model(hooks, rec, rec);
    model.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    model.assignKeyFunction(Slot::X2, L"Paste", toRaw(KeyAction::CtrlCombo), 86);
    hooks.setOverrides({Slot::X1, Slot::X2, Slot::R}, {Slot::R});  // two out, one in
    hooks.setOverrides({Slot::X1, Slot::X2, Slot::R}, {Slot::R});  // the same profile
    hooks.setLayerHooks({Slot::WU});
    hooks.setLayerHooks({});
    hooks.setPaused(true);
    EXPECT_EQ(engine.roundTrips, 0);
    EXPECT_EQ(
        engine.asked,
        (std::vector<SlotSet>{
            {Slot::X1}, {Slot::X1, Slot::X2}, {Slot::R}, {Slot::R, Slot::WU}, {Slot::R}, {}}));
}

// The press was caught by a hook Vela has asked out since (the program in
// front leaves the button alone): the button's own input; asked back in
// before the engine took it out: the function.
TEST(HookRequests, APressFollowsWhatWasAskedNotWhatTheEngineDidYet) {
    LateEngine engine;
    test::Recorder rec;
    PausableHooks hooks(engine);
    SlotModel model(hooks, rec, rec);
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor(model, {rec, rec, rec, rec, rec, &held, nullptr, &hooks}, playback);
    model.assignKeyFunction(Slot::X1, L"Copy", toRaw(KeyAction::CtrlCombo), 67);
    engine.answer();
    rec.clear();

    hooks.setOverrides({Slot::X1}, {});
    executor.onActivation(Slot::X1);
    ASSERT_EQ(rec.records().size(), 1u);
    EXPECT_EQ(rec.records()[0].flags, 0x8081u);
    EXPECT_EQ(rec.records()[0].mouseData, 2u) << "XBUTTON2: Forward's own press";
    executor.onRelease(Slot::X1);

    hooks.setOverrides({}, {});
    rec.clear();
    executor.onActivation(Slot::X1);
    EXPECT_EQ(rec.records(), (std::vector{test::key(17, false), test::key(67, false),
                                          test::key(67, true), test::key(17, true)}));
    EXPECT_EQ(engine.in, SlotSet{Slot::X1}) << "never answered since";
    EXPECT_EQ(engine.roundTrips, 0);
}

}  // namespace
}  // namespace vela
