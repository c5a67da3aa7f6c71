#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/KeyNames.h"
#include "core/ListedKeys.h"

namespace vela {
namespace {

// A layout that names some keys, and remembers which keys it was asked about.
struct Layout final : KeyNames {
    std::map<std::uint16_t, std::wstring> names;
    std::set<std::uint16_t> asked;
    std::wstring keyName(std::uint16_t vk) override {
        asked.insert(vk);
        const auto it = names.find(vk);
        return it == names.end() ? std::wstring() : it->second;
    }
};

TEST(KeyNames, AShortcutReadsAsItIsPressedInTheLayoutsWordsOrEnglish) {
    Layout german;
    german.names = {{0xA2, L"Strg"}, {0xA3, L"Strg-Rechts"}, {0xA0, L"Umschalt"},
                    {0x54, L"T"},    {0x27, L"Nach-Rechts"}, {0x5B, L"Linke Windows"}};
    Layout english;
    const struct {
        Shortcut shortcut;
        std::wstring_view english;
        std::wstring_view german;
    } cases[] = {
        {Shortcut(modifier::LeftShift | modifier::LeftCtrl, 0x54), L"Ctrl+Shift+T",
         L"Strg+Umschalt+T"},
        {Shortcut(modifier::LeftWin | modifier::LeftCtrl, 0x27), L"Ctrl+Win+Right",
         L"Strg+Win+Nach-Rechts"},
        {Shortcut(modifier::LeftCtrl, shortcutkey::WheelUp), L"Ctrl+Wheel Up", L"Strg+Wheel Up"},
        {Shortcut(modifier::RightCtrl, 0x7C), L"Right Ctrl+F13", L"Strg-Rechts+F13"},
        {Shortcut(modifier::RightWin | modifier::RightAlt, shortcutkey::BackButton),
         L"Right Alt+Right Win+Back Button", L"Right Alt+Right Win+Back Button"},
        {Shortcut(modifier::LeftShift, shortcutkey::None), L"Shift", L"Umschalt"},
        {Shortcut(0, 0x65), L"Num 5", L"Num 5"},
        {Shortcut(), L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shortcutText(c.shortcut, english), c.english);
        EXPECT_EQ(shortcutText(c.shortcut, german), c.german);
    }
    // No layout is asked about the Windows keys, the buttons or the wheel.
    for (ShortcutKey vk :
         {ShortcutKey{0x5B}, ShortcutKey{0x5C}, ShortcutKey{0x05}, shortcutkey::WheelUp}) {
        EXPECT_FALSE(german.asked.contains(vk)) << vk;
        EXPECT_FALSE(english.asked.contains(vk)) << vk;
    }
}

TEST(KeyNames, EveryKeyAShortcutCanHoldHasAnEnglishNameOfItsOwn) {
    std::map<std::wstring, ShortcutKey> seen;
    const auto check = [&](ShortcutKey key) {
        const std::wstring name = englishKeyName(key);
        ASSERT_FALSE(name.empty()) << key;
        const auto [it, fresh] = seen.emplace(name, key);
        EXPECT_TRUE(fresh) << "keys " << it->second << " and " << key << " are both named "
                           << std::string(name.begin(), name.end());
    };
    for (ShortcutKey vk = 1; vk <= shortcutkey::LastVirtualKey; ++vk) {
        // The generic Shift, Control and Alt are held as the left keys.
        if (vk < 0x10 || vk > 0x12) check(vk);
    }
    for (ShortcutKey notch = shortcutkey::WheelUp; notch <= shortcutkey::WheelRight; ++notch)
        check(notch);
    EXPECT_EQ(englishKeyName(0x87), L"F24");
    EXPECT_EQ(englishKeyName(0x69), L"Num 9");
    EXPECT_EQ(englishKeyName(0x07), L"Key 7") << "a code with no key of its own";
}

TEST(ListedKeys, EachKeyAKeyboardLacksIsListedOnceNamedAndInItsGroup) {
    std::set<ShortcutKey> keys;
    std::set<std::wstring_view> groupsDone;
    std::wstring_view group;
    for (const ListedKey& row : kListedKeys) {
        EXPECT_TRUE(keys.insert(row.key).second) << row.key << " listed twice";
        EXPECT_EQ(Shortcut(0, row.key).key(), row.key) << "a key, not a modifier";
        EXPECT_FALSE(englishKeyName(row.key).starts_with(L"Key ")) << row.key;
        if (row.group != group) {
            EXPECT_TRUE(groupsDone.insert(row.group).second) << "a group's rows stand together";
            group = row.group;
        }
    }
    for (ShortcutKey f = 0x7C; f <= 0x87; ++f) EXPECT_TRUE(keys.contains(f)) << "F13..F24";
    for (ShortcutKey media = 0xA6; media <= 0xB7; ++media) EXPECT_TRUE(keys.contains(media));
    for (ShortcutKey notch = shortcutkey::WheelUp; notch <= shortcutkey::WheelRight; ++notch) {
        EXPECT_TRUE(keys.contains(notch));
    }
}

}  // namespace
}  // namespace vela
