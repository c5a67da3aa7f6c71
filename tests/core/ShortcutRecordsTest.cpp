#include <gtest/gtest.h>

#include <random>

#include "core/HeldInputs.h"
#include "core/InputRecords.h"
#include "core/ShortcutRecords.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

using test::extended;
using test::mouse;

InputRecord key(std::uint16_t vk, std::uint16_t scan, bool up) {
    InputRecord r = test::key(vk, up);
    r.scanCode = scan;
    return r;
}

struct ShortcutRecordsTest : ::testing::Test {
    ShortcutRecordsTest() {
        input.scanCodes = {{0xA2, 0x1D}, {0xA3, 0x1D}, {0xA0, 0x2A}, {0x5B, 0x5B},
                           {0x54, 0x14}, {0x27, 0x4D}, {0x7C, 0x64}};
    }
    test::Recorder input;  // the pointer at (100, 200) of a 1920 x 1080 screen
    const std::int32_t x = absoluteCoordinate(100, 1920), y = absoluteCoordinate(200, 1080);
};

TEST_F(ShortcutRecordsTest, KeysGoDownInOrderAndUpInReverseWithScanCodesAndExtendedFlags) {
    using namespace modifier;
    EXPECT_EQ(shortcutPressRecords(Shortcut(LeftShift | LeftCtrl, 0x54), input),
              (std::vector{key(0xA2, 0x1D, false), key(0xA0, 0x2A, false), key(0x54, 0x14, false),
                           key(0x54, 0x14, true), key(0xA0, 0x2A, true), key(0xA2, 0x1D, true)}));
    EXPECT_EQ(shortcutPressRecords(Shortcut(LeftCtrl | LeftWin, 0x27), input),
              (std::vector{key(0xA2, 0x1D, false), extended(key(0x5B, 0x5B, false)),
                           extended(key(0x27, 0x4D, false)), extended(key(0x27, 0x4D, true)),
                           extended(key(0x5B, 0x5B, true)), key(0xA2, 0x1D, true)}));
    // Right Control is extended; a media key the layout lacks gets the PC keyboard's code.
    EXPECT_EQ(shortcutDownRecords(Shortcut(RightCtrl, 0xB3), input),
              (std::vector{extended(key(0xA3, 0x1D, false)), extended(key(0xB3, 0x22, false))}));
    EXPECT_EQ(shortcutPressRecords(Shortcut(LeftShift, shortcutkey::None), input),
              (std::vector{key(0xA0, 0x2A, false), key(0xA0, 0x2A, true)}));
    EXPECT_TRUE(input.calls().empty()) << "records are built, not sent";
}

TEST_F(ShortcutRecordsTest, ButtonsClickAndNotchesTurnWhereThePointerIsInsideTheModifiers) {
    const struct {
        ShortcutKey key;
        std::vector<InputRecord> middle;
    } cases[] = {
        {shortcutkey::WheelUp, {mouse(x, y, 0x8801, 120)}},
        {shortcutkey::WheelDown, {mouse(x, y, 0x8801, static_cast<std::uint32_t>(-120))}},
        {shortcutkey::WheelLeft, {mouse(x, y, 0x9001, static_cast<std::uint32_t>(-120))}},
        {shortcutkey::WheelRight, {mouse(x, y, 0x9001, 120)}},
        {shortcutkey::LeftButton, {mouse(x, y, 0x8003), mouse(x, y, 0x8005)}},
        {shortcutkey::RightButton, {mouse(x, y, 0x8009), mouse(x, y, 0x8011)}},
        {shortcutkey::MiddleButton, {mouse(x, y, 0x8021), mouse(x, y, 0x8041)}},
        {shortcutkey::BackButton, {mouse(x, y, 0x8081, 1), mouse(x, y, 0x8101, 1)}},
        {shortcutkey::ForwardButton, {mouse(x, y, 0x8081, 2), mouse(x, y, 0x8101, 2)}},
    };
    for (const auto& c : cases) {
        std::vector expected{key(0xA2, 0x1D, false)};
        expected.insert(expected.end(), c.middle.begin(), c.middle.end());
        expected.push_back(key(0xA2, 0x1D, true));
        EXPECT_EQ(shortcutPressRecords(Shortcut(modifier::LeftCtrl, c.key), input), expected);
        expected.resize(2);  // held: the notch turns once at the press, a button stays down
        EXPECT_EQ(shortcutDownRecords(Shortcut(modifier::LeftCtrl, c.key), input), expected);
    }
}

// What a record presses (positive) or releases (negative): a key by its
// virtual key, a button by its down flag and data; 0 for a notch.
std::int64_t effect(const InputRecord& r) {
    if (r.type == InputRecord::Keyboard) return r.flags & kKeyUpFlag ? -r.virtualKey : r.virtualKey;
    const std::uint32_t downs = r.flags & 0x00AA, ups = r.flags & 0x0154;
    const std::int64_t button = 0x1000 * std::int64_t(downs | ups >> 1) + r.mouseData;
    return downs ? button : ups ? -button : 0;
}

TEST_F(ShortcutRecordsTest, ForAnyShortcutEveryDownHasItsUpInReverseWithTheModifiersOutsideTheKey) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const auto pick = random() % 260;
        const Shortcut shortcut(static_cast<ModifierSet>(random() % 256),
                                static_cast<ShortcutKey>(pick < 255 ? pick : 0x100 + pick % 5));
        std::vector<std::int64_t> modifiers;
        for (int i = 0; i < kModifierCount; ++i)
            if (shortcut.modifiers() & (1u << i))
                modifiers.push_back(kModifierOrder[std::size_t(i)]);
        const std::vector<InputRecord> records = shortcutPressRecords(shortcut, input);
        std::vector<std::int64_t> effects;
        for (const InputRecord& r : records) effects.push_back(effect(r));

        // All downs, then all ups in reverse: the modifiers first, then the
        // key or button; a notch (0) right after the modifiers.
        const std::size_t half = (records.size() + 1) / 2;
        std::vector<std::int64_t> downs(effects.begin(), effects.begin() + half);
        if (isWheelKey(shortcut.key())) {
            EXPECT_EQ(downs.back(), 0);
            downs.pop_back();
        }
        ASSERT_TRUE(std::equal(modifiers.begin(), modifiers.end(), downs.begin()));
        ASSERT_EQ(downs.size(), modifiers.size() + (shortcut.key() && !isWheelKey(shortcut.key())));
        std::vector<std::int64_t> ups;
        for (auto it = downs.rbegin(); it != downs.rend(); ++it) ups.push_back(-*it);
        ASSERT_EQ(std::vector(effects.end() - std::ptrdiff_t(ups.size()), effects.end()), ups);

        // Held, the ledger lets go of the down half as the press does.
        HeldInputs ledger;
        ledger.noteSent(kFunctionsOwner, shortcutDownRecords(shortcut, input));
        std::vector<std::int64_t> letGo;
        for (const InputRecord& r : ledger.takeReleases(kFunctionsOwner))
            letGo.push_back(effect(r));
        EXPECT_EQ(letGo, ups);
    }
}

}  // namespace
}  // namespace vela
