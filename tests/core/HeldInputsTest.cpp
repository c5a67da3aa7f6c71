#include <gtest/gtest.h>

#include <atomic>

#include "core/HeldInputs.h"
#include "core/InputRecords.h"
#include "core/TrackedInput.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

using test::extended;
using test::key;
using test::mouse;
using test::Recorder;

const InputOwner kX1 = playbackOwner(Slot::X1);
const InputOwner kX2 = playbackOwner(Slot::X2);

InputRecord scanned(std::uint16_t vk, std::uint16_t scan, bool up) {
    InputRecord r = key(vk, up);
    r.scanCode = scan;
    return r;
}
// A macro's left button down, as an absolute move to the pointer with it.
const InputRecord kLeftDown = mouse(100, 200, 0x8003);
const InputRecord kLeftUpInPlace = mouse(0, 0, 0x0004);

TEST(HeldInputs, WhatIsStillDownIsLetGoLastPressedFirst) {
    HeldInputs ledger;
    const std::vector<InputRecord> sent{scanned(0x11, 0x1D, false), scanned(0x10, 0x2A, false),
                                        kLeftDown, extended(key(0x27, false)),
                                        extended(key(0x27, true))};
    ledger.noteSent(kX1, sent);
    EXPECT_TRUE(ledger.holdsAnything());
    // The released key is gone; the button goes up where the pointer is, the
    // keys with their scan codes.
    EXPECT_EQ(ledger.takeReleases(kX1),
              (std::vector{kLeftUpInPlace, scanned(0x10, 0x2A, true), scanned(0x11, 0x1D, true)}));
    EXPECT_FALSE(ledger.holdsAnything());
    EXPECT_TRUE(ledger.takeReleases(kX1).empty()) << "nothing is let go twice";
}

TEST(HeldInputs, EachOwnerLetsGoOfItsOwnAndAKeyBothHoldStaysDown) {
    HeldInputs ledger;
    ledger.noteSent(kX1, std::vector{key(0x11, false), key(0x41, false)});
    ledger.noteSent(kX2, std::vector{key(0x11, false), key(0x42, false)});
    // Control is still X2's: only A goes up.
    EXPECT_EQ(ledger.takeReleases(kX1), (std::vector{key(0x41, true)}));
    EXPECT_EQ(ledger.takeReleases(kX2), (std::vector{key(0x42, true), key(0x11, true)}));
    // Everyone's at once: a key goes up at its first press's place.
    ledger.noteSent(kX1, std::vector{key(0x11, false)});
    ledger.noteSent(kFunctionsOwner, std::vector{key(0x10, false)});
    ledger.noteSent(kX2, std::vector{key(0x11, false), key(0x5A, false)});
    EXPECT_EQ(ledger.takeAllReleases(),
              (std::vector{key(0x5A, true), key(0x10, true), key(0x11, true)}));
}

TEST(HeldInputs, AReleaseFromAnyoneEndsTheHoldAndRepeatsAddNothing) {
    HeldInputs ledger;
    ledger.noteSent(kX1, std::vector{key(0x11, false), key(0x11, false), key(0x11, false)});
    ledger.noteSent(kX2, std::vector{key(0x11, true)});  // the system has Control up now
    EXPECT_FALSE(ledger.holdsAnything());
    // The side buttons are two buttons, told apart by their data.
    ledger.noteSent(
        kX1, std::vector{mouse(0, 0, 0x8081, 1), mouse(0, 0, 0x8081, 2), mouse(0, 0, 0x8101, 1)});
    EXPECT_EQ(ledger.takeAllReleases(), (std::vector{mouse(0, 0, 0x0100, 2)}));
    // Moves, wheel turns and key-less records hold nothing.
    ledger.noteSent(kX1, std::vector{mouse(5, 5, 0x8001), mouse(0, 0, 0x8801, 120), key(0, false)});
    EXPECT_FALSE(ledger.holdsAnything());
}

TEST(TrackedInput, AStoppedSenderPressesNothingMoreAndDoesNotPause) {
    Recorder rec;
    HeldInputs ledger;
    std::atomic<bool> stop{false};
    TrackedInput tracked(rec, ledger, kX1, &stop);
    tracked.send(std::vector{key(0x11, false)});
    tracked.sleepMs(40);
    stop = true;
    tracked.sleepMs(4000);
    tracked.send(std::vector{key(0x10, false), key(0x11, true), kLeftDown});
    EXPECT_EQ(rec.trace(), "send:1 sleep:40 send:1");
    EXPECT_EQ(rec.sends()[1], (std::vector{key(0x11, true)}));
    EXPECT_FALSE(ledger.holdsAnything());
}

// A typed character and a notch act as a press does: once stopped, neither
// goes out; releases and moves still do.
TEST(TrackedInput, AStoppedSenderTypesNothingAndTurnsNoNotch) {
    Recorder rec;
    HeldInputs ledger;
    std::atomic<bool> stop{true};
    TrackedInput tracked(rec, ledger, kX1, &stop);
    InputRecord character = key(0, false), characterUp = key(0, true);
    character.scanCode = characterUp.scanCode = 0x00E9;
    character.flags |= 0x4;
    characterUp.flags |= 0x4;
    tracked.send(std::vector{character, characterUp, mouse(0, 0, 0x8801, 120), mouse(5, 5, 0x8001),
                             key(0x11, true)});
    EXPECT_EQ(rec.sends(),
              (std::vector<std::vector<InputRecord>>{{mouse(5, 5, 0x8001), key(0x11, true)}}));
}

TEST(TrackedInput, ReleaseHeldLetsGoOfThisOwnersKeysOnly) {
    Recorder rec;
    HeldInputs ledger;
    ledger.noteSent(kX2, std::vector{key(0x5A, false)});
    TrackedInput tracked(rec, ledger, kX1);
    tracked.send(std::vector{key(0x10, false)});
    tracked.releaseHeld();
    EXPECT_EQ(rec.sends().back(), (std::vector{key(0x10, true)}));
    EXPECT_TRUE(ledger.holdsAnything()) << "X2's key is not X1's to let go";
}

}  // namespace
}  // namespace vela
