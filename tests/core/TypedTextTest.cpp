#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>

#include "core/InputRecords.h"
#include "core/TypedText.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"

namespace vela {
namespace {

using test::Call;
using test::extended;
using test::Recorder;

using namespace std::literals;

// An emoji, in this platform's wide form: two units, or one code point.
const std::wstring kGrin = L"\U0001F600";

// The records that type `units`, '\n' as Enter and '\t' as Tab with their
// scan codes, each a down and at once its up.
std::vector<InputRecord> typing(std::u16string_view units) {
    std::vector<InputRecord> records;
    for (char16_t u : units) {
        InputRecord down = test::key(0, false), up = test::key(0, true);
        if (u == u'\n' || u == u'\t') {
            down.virtualKey = up.virtualKey = u == u'\n' ? 0x0D : 0x09;
            down.scanCode = up.scanCode = u == u'\n' ? 0x1C : 0x0F;
        } else {
            down.scanCode = up.scanCode = u;
            down.flags |= 4;
            up.flags |= 4;
        }
        records.insert(records.end(), {down, up});
    }
    return records;
}

struct TypedTextTest : ::testing::Test {
    TypedTextTest() { input.scanCodes = {{0x0D, 0x1C}, {0x09, 0x0F}}; }
    Recorder input;
};

TEST_F(TypedTextTest, EachCharacterIsItsUnitsLineBreaksEnterAndTabsTab) {
    const struct {
        std::wstring text;
        std::u16string typed;
    } cases[] = {
        {L"Gr\u00fc\u00dfe, \u6771\u4eac \u20ac5\nline 2",
         u"Gr\u00fc\u00dfe, \u6771\u4eac \u20ac5\nline 2"},
        {L"a\U0001F600b", u"a\U0001F600b"},
        {std::wstring{0xD83D, 0xDE00}, u"\U0001F600"},
        {L"1\r\n2\n3\r4\n\r5\r\n\r\n", u"1\n2\n3\n4\n\n5\n\n"},
        {L"\tindented\t", u"\tindented\t"},
        {L"  spaces  \"quoted\" 'x' \\~", u"  spaces  \"quoted\" 'x' \\~"},
        // Control characters and halves of pairs type nothing.
        {L"a\0b\x01\x1b\x7f"s + L"c", u"abc"},
        {std::wstring{L'x', 0xD83D, L'y', 0xDE00, L'z', 0xD83D}, u"xyz"},
        {L"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typedTextRecords(c.text, input), typing(c.typed));
    }
}

TEST_F(TypedTextTest, GoesOutInBatchesOfWholeCharactersWithAPauseBetween) {
    // 31 letters and an emoji fill the first batch; a CR LF is one character.
    std::wstring text = std::wstring(31, L'a') + kGrin + L"\r\n" + std::wstring(40, L'b');
    typeText(text, input);
    ASSERT_EQ(input.trace(), "send:66 sleep:10 send:64 sleep:10 send:18");
    EXPECT_EQ(input.records(),
              typing(std::u16string(31, u'a') + u"\U0001F600\n" + std::u16string(40, u'b')));
}

TEST_F(TypedTextTest, AStopEndsTheTextBetweenBatches) {
    std::atomic<bool> stop{false};
    input.duringSleep = [&] { stop = true; };
    typeText(std::wstring(100, L'x'), input, &stop);
    EXPECT_EQ(input.trace(), "send:64 sleep:10");

    input.clear();
    typeText(L"never", input, &stop);
    EXPECT_TRUE(input.calls().empty());
}

TEST_F(TypedTextTest, ALongTextIsCutAtTheLimitNeverInsideAPair) {
    const std::wstring full(kTypedTextLimit, L'a');
    EXPECT_EQ(clipTypedText(full + L"b"), full);
    EXPECT_EQ(clipTypedText(full), full);
    const std::wstring almost(kTypedTextLimit - 1, L'a');
    // The emoji in this platform's form, and as two units wherever wchar_t is wider.
    for (const std::wstring& emoji : {kGrin, std::wstring{0xD83D, 0xDE00}}) {
        EXPECT_EQ(clipTypedText(almost + emoji), almost);
        EXPECT_EQ(clipTypedText(almost.substr(1) + emoji), almost.substr(1) + emoji);
    }

    typeText(std::wstring(3 * kTypedTextLimit, L'z'), input);
    std::size_t characters = 0;
    std::uint64_t pauseMs = 0;
    for (const Call& c : input.calls()) {
        characters += c.records.size() / 2;
        pauseMs += c.what == "sleep" ? c.number : 0;
    }
    EXPECT_EQ(characters, kTypedTextLimit);
    EXPECT_LT(pauseMs, 2000u) << "the longest text types in a couple of seconds";
}

TEST_F(TypedTextTest, ModifiersHeldAsItStartsAreLiftedAndThoseStillHeldPutBack) {
    using test::key;
    const InputRecord mask = key(vk::MenuMask, false), maskUp = key(vk::MenuMask, true);
    // The text goes out in two batches: a finger moves in the pause between.
    const struct {
        std::set<std::uint16_t> before, after;
        std::vector<InputRecord> lift, between, back;
    } cases[] = {
        {{0xA2}, {0xA2}, {key(0xA2, true)}, {}, {key(0xA2, false)}},
        {{0xA2}, {}, {key(0xA2, true)}, {}, {}},  // let go while it typed: stays up
        // Alt and Windows go behind the mask key: no menu bar, no Start menu.
        {{0xA4}, {0xA4}, {mask, maskUp, key(0xA4, true)}, {}, {key(0xA4, false), mask, maskUp}},
        {{0xA2, 0x5B}, {}, {mask, maskUp, extended(key(0x5B, true)), key(0xA2, true)}, {}, {}},
        // Pressed while it typed: up for the rest of the text, down again after.
        {{}, {0xA2}, {}, {key(0xA2, true)}, {key(0xA2, false)}},
    };
    const std::vector<InputRecord> typed = typing(std::u16string(32, u'a') + u"\t\n");
    for (const auto& c : cases) {
        input.clear();
        input.sentKeys.clear();
        input.keysDown = c.before;
        input.duringSleep = [&] { input.holdKeys(c.after); };
        typeText(std::wstring(32, L'a') + L"\t\n", input);
        EXPECT_EQ(input.keyWatches, 0);
        std::vector<InputRecord> expected = c.lift;
        expected.insert(expected.end(), typed.begin(), typed.begin() + 64);
        expected.insert(expected.end(), c.between.begin(), c.between.end());
        expected.insert(expected.end(), typed.begin() + 64, typed.end());
        expected.insert(expected.end(), c.back.begin(), c.back.end());
        EXPECT_EQ(input.records(), expected) << c.before.size() << " held, " << c.after.size();
    }
}

TEST(TypedTextCaption, ShowsTheStartOnOneLineCutWithAnEllipsis) {
    const struct {
        std::wstring text;
        std::size_t length;
        std::wstring caption;
    } cases[] = {
        {L"  Dear Sir,\r\n\r\n\tthanks  ", 40, L"Dear Sir, thanks"},
        {L"user@example.com", 16, L"user@example.com"},
        {L"user@example.com!", 16, L"user@example.com\u2026"},
        {L"one two", 4, L"one\u2026"},  // the blank is no character worth an ellipsis after
        {kGrin + kGrin + L"x", 2, kGrin + kGrin + L"\u2026"},
        {std::wstring{0xD83D, 0xDE00, L'a', L'b'}, 2, std::wstring{0xD83D, 0xDE00, L'a', 0x2026}},
        {L"\x01\x7F", 40, L"Type Text"},
        {L"", 40, L"Type Text"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(typedTextCaption(c.text, c.length), c.caption) << c.length;
}

}  // namespace
}  // namespace vela
