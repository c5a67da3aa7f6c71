// A slot model and an executor wired to one recorder.
#pragma once

#include <gtest/gtest.h>

#include "core/ActionExecutor.h"
#include "core/SlotModel.h"
#include "tests/support/RecordingPorts.h"

namespace vela::test {

class ExecutorTest : public ::testing::Test {
protected:
    Recorder rec;
    SlotModel model{rec, rec, rec};
    PlaybackThreads playback;
    HeldInputs held;
    ActionExecutor executor{model, {rec, rec, rec, rec, rec, &held, &rec}, playback};

    // Puts a slot in a state as the settings loader would: hook in, values set,
    // then forgets those calls.
    ButtonAssignment& remap(Slot slot) {
        model.installHook(slot);
        rec.clear();
        return model.at(slot);
    }
    ButtonAssignment& keyFunction(Slot slot, KeyAction action, std::uint8_t vk = 0) {
        ButtonAssignment& a = remap(slot);
        a.actionGroup = toRaw(ActionGroup::KeyGroup);
        a.keyAction = toRaw(action);
        a.virtualKey = vk;
        return a;
    }
    ButtonAssignment& shortcut(Slot slot, const Shortcut& chord) {
        ButtonAssignment& a = keyFunction(slot, KeyAction::Shortcut);
        a.shortcut = chord;
        return a;
    }
    ButtonAssignment& mouseFunction(Slot slot, std::int32_t function) {
        ButtonAssignment& a = remap(slot);
        a.actionGroup = toRaw(ActionGroup::MouseGroup);
        a.mouseFunction = function;
        return a;
    }
};

}  // namespace vela::test
