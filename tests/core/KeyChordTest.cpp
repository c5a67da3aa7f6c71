#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/KeyChord.h"
#include "core/StoredChord.h"

namespace vela {
namespace {

using namespace std::literals;
using namespace modifier;

TEST(KeyChord, AModifierGivenAsTheKeyJoinsTheModifiersAndJunkKeysAreDropped) {
    EXPECT_EQ(KeyChord(LeftCtrl, 0x10), KeyChord(LeftCtrl | LeftShift, chordkey::None));
    EXPECT_EQ(KeyChord(0, 0xA3), KeyChord(RightCtrl, chordkey::None));
    EXPECT_TRUE(KeyChord(0, 0xFF).empty());
    EXPECT_EQ(KeyChord(LeftCtrl, 0x105), KeyChord(LeftCtrl, chordkey::None));
}

TEST(StoredChord, EveryKeyWithEveryModifierSetReadsBackAsTheSameChord) {
    std::vector<ChordKey> keys{chordkey::None, chordkey::WheelUp, chordkey::WheelDown,
                               chordkey::WheelLeft, chordkey::WheelRight};
    for (ChordKey vk = 1; vk <= chordkey::LastVirtualKey; ++vk) keys.push_back(vk);
    for (ChordKey key : keys) {
        for (unsigned set = 0; set < 256; ++set) {
            const KeyChord chord(static_cast<ModifierSet>(set), key);
            if (chord.empty()) continue;
            ASSERT_EQ(parseStoredChord(storedChord(chord)), chord) << key << " with " << set;
        }
    }
}

TEST(StoredChord, WrittenModifiersFirstInPressingOrderAndReadAsAHandMayWriteIt) {
    const struct {
        std::wstring_view text;
        KeyChord chord;
        bool canonical;
    } cases[] = {
        {L"162+160+84", KeyChord(LeftShift | LeftCtrl, 0x54), true},
        {L"162+91+39", KeyChord(LeftWin | LeftCtrl, 0x27), true},
        {L"163+WheelUp", KeyChord(RightCtrl, chordkey::WheelUp), true},
        {L"160", KeyChord(LeftShift, chordkey::None), true},
        {L"5", KeyChord(0, chordkey::BackButton), true},
        {L"162+163+160+161+164+165+91+92+WheelRight", KeyChord(0xFF, chordkey::WheelRight), true},
        {L"", KeyChord(), true},
        {L" 160 + 17 +\t84 ", KeyChord(LeftCtrl | LeftShift, 0x54), false},
        {L"WHEELleft", KeyChord(0, chordkey::WheelLeft), false},
        {L"084", KeyChord(0, 0x54), false},
    };
    for (const auto& c : cases) {
        if (c.canonical) {
            EXPECT_EQ(storedChord(c.chord), c.text);
        }
        if (!c.chord.empty()) {
            EXPECT_EQ(parseStoredChord(c.text), c.chord) << std::wstring(c.text);
        }
    }
}

TEST(StoredChord, JunkIsRejected) {
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
        EXPECT_EQ(parseStoredChord(text), std::nullopt) << std::wstring(text);
    }
    // Random texts of the form's characters and a few others: whatever is
    // read is a chord that is written back the same.
    const std::wstring alphabet = L"0123456789++  WheelUpDownLeftRight\t\x00e9\0-"s;
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::wstring text(random() % 12, L' ');
        for (wchar_t& c : text) c = alphabet[random() % alphabet.size()];
        if (const std::optional<KeyChord> chord = parseStoredChord(text)) {
            EXPECT_EQ(parseStoredChord(storedChord(*chord)), chord) << text;
        }
    }
}

}  // namespace
}  // namespace vela
