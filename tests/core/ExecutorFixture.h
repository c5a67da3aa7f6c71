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

    // Puts a slot in a state as the settings loader would: remapped, hook
    // in, function set, then forgets those calls.
    ButtonAssignment& give(Slot slot, Action function) {
        ButtonAssignment& a = model.at(slot);
        a.remapped = true;
        a.action = std::move(function);
        model.followRemapped(slot);
        rec.clear();
        return a;
    }
    ButtonAssignment& keyFunction(Slot slot, ChordModifier modifier, std::uint8_t vk) {
        return give(slot, action::Key{modifier, vk});
    }
    ButtonAssignment& shortcut(Slot slot, const Shortcut& chord) {
        return give(slot, action::PressShortcut{chord});
    }
    ButtonAssignment& mouseFunction(Slot slot, MouseFunction function) {
        return give(slot, action::Mouse{function});
    }
};

}  // namespace vela::test
