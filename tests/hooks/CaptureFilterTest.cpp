#include <gtest/gtest.h>

#include <bitset>
#include <tuple>

#include "hooks/CaptureFilter.h"
#include "hooks/HookTypes.h"

namespace vela::hooks {
namespace {

struct CaptureStep {
    std::uint32_t vk;
    bool down;
    bool capturing;
    CaptureVerdict verdict;
    bool injected = false;
};

constexpr CaptureVerdict kTaken{true, true};
constexpr CaptureVerdict kTold{false, true};
constexpr CaptureVerdict kPassed{false, false};
constexpr CaptureVerdict kKept{true, false};           // swallowed, nobody told
constexpr CaptureVerdict kMasked{false, false, true};  // the menu-mask key goes first

TEST(CaptureFilter, TakesEveryKeyWhileCapturingAndLeavesTheSystemNothingHalfPressed) {
    const CaptureStep steps[] = {
        {0x11, true, false, kPassed},  // Control down before the capture
        {0x5B, true, true, kTaken},    // Windows, Right: neither reaches the system
        {0x27, true, true, kTaken},
        {0x27, true, true, kTaken},  // an auto-repeat
        {0x27, false, true, kTaken},
        {0x11, true, true, kTold},   // its press went through: so do its repeats
        {0x11, false, true, kTold},  // and its release
        {0xA5, true, true, kTold},   // down before the hook went in: the same
        {0x1B, true, true, kTaken},  // Escape is a key like any other
        {0x1B, false, true, kTaken},
        {0xA5, false, true, {false, true, true}},  // Alt over keys never seen: masked
        {0x41, true, true, kPassed, true},         // injected: not the user's
        {0x41, false, true, kPassed, true},
        {0x11, true, true, kTaken},
        // The capture ends with Windows and Control held: their repeats stay
        // Vela's, their releases go to the system (which may have read them as
        // down since), Windows masked so that no Start menu opens.
        {0x5B, true, false, kKept},
        {0x5B, false, false, kMasked},
        {0x11, false, false, kPassed},
        {0x5B, true, false, kPassed},
        {0x5B, false, false, kPassed},
    };
    CaptureFilter filter;
    filter.onHookInstalled(std::bitset<256>().set(0xA5));
    int n = 0;
    for (const CaptureStep& s : steps) {
        EXPECT_EQ(filter.onEvent({s.vk, s.down, s.injected}, s.capturing), s.verdict)
            << "step " << n;
        if (n == 1) {
            EXPECT_TRUE(filter.holdsRelease());
        }
        ++n;
    }
    EXPECT_FALSE(filter.holdsRelease());
    EXPECT_EQ(filter.onEvent({0x1FF, true, false}, true), kPassed) << "no such key";
}

TEST(CaptureFilter, ACapturedKeyTravelsWholeInAMessageParameter) {
    for (const CapturedKey key :
         {CapturedKey{0xA2, 0x21D, false, true}, CapturedKey{0xFE, 0xFFF, true, false}}) {
        const CapturedKey back = unpackCapturedKey(packCapturedKey(key));
        EXPECT_EQ(std::tuple(back.virtualKey, back.scanCode, back.extended, back.down),
                  std::tuple(key.virtualKey, key.scanCode, key.extended, key.down));
    }
}

}  // namespace
}  // namespace vela::hooks
