#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/Shortcut.h"
#include "core/StoredShortcut.h"

namespace vela {
namespace {

using namespace std::literals;
using namespace modifier;

TEST(Shortcut, AModifierGivenAsTheKeyJoinsTheModifiersAndJunkKeysAreDropped) {
    EXPECT_EQ(Shortcut(LeftCtrl, 0x10), Shortcut(LeftCtrl | LeftShift, shortcutkey::None));
    EXPECT_EQ(Shortcut(0, 0xA3), Shortcut(RightCtrl, shortcutkey::None));
    EXPECT_TRUE(Shortcut(0, 0xFF).empty());
    EXPECT_EQ(Shortcut(LeftCtrl, 0x105), Shortcut(LeftCtrl, shortcutkey::None));
}

TEST(StoredShortcut, EveryKeyWithEveryModifierSetReadsBackAsTheSameShortcut) {
    std::vector<ShortcutKey> keys{shortcutkey::None, shortcutkey::WheelUp, shortcutkey::WheelDown,
                                  shortcutkey::WheelLeft, shortcutkey::WheelRight};
    for (ShortcutKey vk = 1; vk <= shortcutkey::LastVirtualKey; ++vk) keys.push_back(vk);
    for (ShortcutKey key : keys) {
        for (unsigned set = 0; set < 256; ++set) {
            const Shortcut shortcut(static_cast<ModifierSet>(set), key);
            if (shortcut.empty()) continue;
            ASSERT_EQ(parseStoredShortcut(storedShortcut(shortcut)), shortcut)
                << key << " with " << set;
        }
    }
}

TEST(StoredShortcut, WrittenModifiersFirstInPressingOrderAndReadAsAHandMayWriteIt) {
    const struct {
        std::wstring_view text;
        Shortcut shortcut;
        bool canonical;
    } cases[] = {
        {L"162+160+84", Shortcut(LeftShift | LeftCtrl, 0x54), true},
        {L"162+91+39", Shortcut(LeftWin | LeftCtrl, 0x27), true},
        {L"163+WheelUp", Shortcut(RightCtrl, shortcutkey::WheelUp), true},
        {L"160", Shortcut(LeftShift, shortcutkey::None), true},
        {L"5", Shortcut(0, shortcutkey::BackButton), true},
        {L"162+163+160+161+164+165+91+92+WheelRight", Shortcut(0xFF, shortcutkey::WheelRight),
         true},
        {L"", Shortcut(), true},
        {L" 160 + 17 +\t84 ", Shortcut(LeftCtrl | LeftShift, 0x54), false},
        {L"WHEELleft", Shortcut(0, shortcutkey::WheelLeft), false},
        {L"084", Shortcut(0, 0x54), false},
    };
    for (const auto& c : cases) {
        if (c.canonical) {
            EXPECT_EQ(storedShortcut(c.shortcut), c.text);
        }
        if (!c.shortcut.empty()) {
            EXPECT_EQ(parseStoredShortcut(c.text), c.shortcut) << std::wstring(c.text);
        }
    }
}

TEST(StoredShortcut, JunkIsRejected) {
    // Empty parts, numbers out of range or too long, signs, keys twice or out of
    // place, words, other separators, digits of other scripts, a NUL.
    // clang-format off
    const std::wstring_view junk[] = {
        L""sv, L" "sv, L"+"sv, L"162+"sv, L"+84"sv, L"162++84"sv, L"0"sv, L"255"sv, L"256"sv,
        L"0084"sv, L"-84"sv, L"84+162"sv, L"84+85"sv, L"162+162"sv, L"16+160"sv, L"T"sv,
        L"Ctrl+T"sv, L"WheelUp+162"sv, L"Wheel Up"sv, L"99999999999999999999"sv, L"162,84"sv,
        L"162 84"sv, L"\xff18\xff14"sv, L"8\x0034\x0300"sv, L"8\0004"sv};
    // clang-format on
    for (std::wstring_view text : junk) {
        EXPECT_EQ(parseStoredShortcut(text), std::nullopt) << std::wstring(text);
    }
    // Random texts of the form's characters and a few others: whatever is
    // read is a shortcut that is written back the same.
    const std::wstring alphabet = L"0123456789++  WheelUpDownLeftRight\t\x00e9\0-"s;
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::wstring text(random() % 12, L' ');
        for (wchar_t& c : text) c = alphabet[random() % alphabet.size()];
        if (const std::optional<Shortcut> shortcut = parseStoredShortcut(text)) {
            EXPECT_EQ(parseStoredShortcut(storedShortcut(*shortcut)), shortcut) << text;
        }
    }
}

}  // namespace
}  // namespace vela
