#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/ShortcutRecords.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

// Unassigned codes, the IME's own keys, the terminal keys (Attn to OEM Clear),
// the gamepad's, the OEM-specific ones, and OEM 8, whose place the layout
// decides: no PC keyboard has a key of its own for them.
bool noKeyboardHas(ShortcutKey vk) {
    const auto in = [vk](ShortcutKey from, ShortcutKey to) { return vk >= from && vk <= to; };
    return std::set<ShortcutKey>{0x07, 0x0A, 0x0B, 0x0E, 0x0F, 0x1E, 0x1F, 0x2F,
                                 0x5E, 0x6C, 0xB8, 0xB9, 0xDF, 0xE0, 0xE1}
               .count(vk) ||
           in(0x16, 0x1A) || in(0x29, 0x2B) || in(0x3A, 0x40) || in(0x88, 0x8F) || in(0x92, 0x9F) ||
           in(0xC3, 0xDA) || in(0xE3, 0xFE);
}

bool hasE0Prefix(ShortcutKey vk) {
    return std::set<ShortcutKey>{0x03, 0x2C, 0x2D, 0x2E, 0x5B, 0x5C,
                                 0x5D, 0x5F, 0x6F, 0x90, 0xA3, 0xA5}
               .count(vk) ||
           (vk >= 0x21 && vk <= 0x28) || (vk >= 0xA6 && vk <= 0xB7);
}

TEST(PcScanCodes, EveryKeyAKeyboardHasGoesOutWithItsOwnCodeWhereTheLayoutGivesNone) {
    test::Recorder layoutless;  // as Wine's leaves out the keypad and F13..F24
    // One key per code, but for the generic modifiers (the left ones) and
    // Clear (keypad 5 without Num Lock).
    const std::set<std::pair<ShortcutKey, ShortcutKey>> twins{
        {0x10, 0xA0}, {0x11, 0xA2}, {0x12, 0xA4}, {0x0C, 0x65}};
    std::map<std::pair<std::uint16_t, bool>, ShortcutKey> owner;
    int keys = 0;
    for (ShortcutKey vk = 1; vk <= shortcutkey::LastVirtualKey; ++vk) {
        if (!isKeyboardKey(vk) || noKeyboardHas(vk)) continue;
        ++keys;
        const InputRecord down = shortcutPressRecords(Shortcut(0, vk), layoutless).front();
        EXPECT_NE(down.scanCode, 0) << std::hex << vk;
        EXPECT_EQ((down.flags & kExtendedKeyFlag) != 0, hasE0Prefix(vk)) << std::hex << vk;
        const auto [it, fresh] = owner.emplace(std::pair(down.scanCode, hasE0Prefix(vk)), vk);
        EXPECT_TRUE(fresh || twins.count({it->second, vk})) << std::hex << vk << " " << it->second;
    }
    EXPECT_EQ(keys, 145);
    const std::pair<ShortcutKey, std::uint16_t> known[] = {
        {0x67, 0x47}, {0x7C, 0x64}, {0x87, 0x76}};
    for (auto [vk, scan] : known)  // keypad 7 with Num Lock, F13, F24
        EXPECT_EQ(shortcutPressRecords(Shortcut(0, vk), layoutless).front().scanCode, scan);
}

}  // namespace
}  // namespace vela
