#include <gtest/gtest.h>

#include <vector>

#include "core/ActionExecutor.h"
#include "core/HeldInputs.h"
#include "core/PausableHooks.h"
#include "core/PressPath.h"
#include "core/SlotModel.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

// An engine that never answers: its hooks stay as they were.
struct SilentEngine final : HookRequestPort {
    void want(SlotSet slots) override { asked.push_back(slots); }
    std::vector<SlotSet> asked;
};

// Hook changes in a press (a profile switch, a held layer, pause) are one
// request each of the whole set, and a press acts on what was asked: caught
// by a hook asked out since, the button's own input; asked back in before
// the engine took it out, the function.
TEST(HookRequests, OneRequestPerChangeNothingWaitsAndAPressFollowsWhatWasAsked) {
    SilentEngine engine;
    test::Recorder rec;
    PausableHooks hooks(engine);
    SlotModel model(hooks, rec, rec);
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor(model, {rec, rec, rec, rec, rec, &held}, playback);
    OverlaySet overlays;
    PressPath presses(model, overlays, hooks, nullptr, nullptr, executor, rec);
    model.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
    model.assign(Slot::X2, L"Paste", action::Key{ChordModifier::Control, 86});
    rec.clear();
    hooks.setOverrides({Slot::X1, Slot::X2, Slot::R}, {Slot::R});
    hooks.setOverrides({Slot::X1, Slot::X2, Slot::R}, {Slot::R});
    presses.pressed(Slot::X1, 0, 1000);
    ASSERT_EQ(rec.records().size(), 1u);
    EXPECT_EQ(rec.records()[0].mouseData, 2u) << "XBUTTON2: Forward's own press";
    presses.released(Slot::X1, 1080);
    hooks.setOverrides({}, {});
    rec.clear();
    presses.pressed(Slot::X1, 0, 1200);
    EXPECT_EQ(rec.records(), (std::vector{test::key(17, false), test::key(67, false),
                                          test::key(67, true), test::key(17, true)}));
    hooks.setLayerHooks({Slot::WU});
    hooks.setPaused(true);
    EXPECT_EQ(engine.asked, (std::vector<SlotSet>{{Slot::X1},
                                                  {Slot::X1, Slot::X2},
                                                  {Slot::R},
                                                  {Slot::X1, Slot::X2},
                                                  {Slot::X1, Slot::X2, Slot::WU},
                                                  {}}));
}

}  // namespace
}  // namespace vela
