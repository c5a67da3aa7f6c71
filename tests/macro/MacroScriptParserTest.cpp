#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "macro/MacroScriptParser.h"

namespace vela {
namespace {

MacroScript parse(std::string_view text, bool skipRightButton = false) {
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return parseMacroScript(bytes, skipRightButton);
}

TEST(MacroScriptParser, ReadsTheCopyWaitMoveClickExample) {
    const MacroScript script = parse(
        "KeyDown 17\r\nKeyDown 67\r\nKeyUp 67\r\nKeyUp 17\r\nDelay 200\r\n"
        "MoveL 1000\r\nLeftDown\r\nDelay 50\r\nLeftUp\r\n");
    EXPECT_EQ(script, (MacroScript{{'j', L" 17"},
                                   {'j', L" 67"},
                                   {'k', L" 67"},
                                   {'k', L" 17"},
                                   {'g', L" 200"},
                                   {'h', L" 1000"},
                                   {'a', L""},
                                   {'g', L" 50"},
                                   {'b', L""}}));
    EXPECT_EQ(script[0].number(), 17);
    EXPECT_EQ(script[5].number(), 1000);
}

TEST(MacroScriptParser, EveryCommandWordHasItsOpcode) {
    const MacroScript script = parse(
        "LeftDown\nLeftUp\nRightDown\nRightUp\nMiddleDown\nMiddleUp\nDelay 1\nMoveL 2\nMoveR 3\n"
        "KeyDown 4\nKeyUp 5\n");
    std::string opcodes;
    for (const MacroStep& s : script) opcodes += s.opcode;
    EXPECT_EQ(opcodes, "abcdefghijk");
    for (std::size_t i = 0; i < 6; ++i) EXPECT_TRUE(script[i].argument.empty());
}

TEST(MacroScriptParser, AWordCountsOnlyAtTheFirstCharacterAndInItsExactCase) {
    const MacroScript script =
        parse("LeftDownX\nKeyUp 65 extra\nDelay 100ms\nleftdown\n LeftDown\n\tKeyUp 1\n#Delay 5\n");
    EXPECT_EQ(script, (MacroScript{{'a', L""}, {'k', L" 65 extra"}, {'g', L" 100ms"}}));
    EXPECT_EQ(script[1].number(), 65);
    EXPECT_EQ(script[2].number(), 100);
}

TEST(MacroScriptParser, TheNumberStartsAtTheFirstSpace) {
    const MacroScript script = parse(
        "Delay 250\nDelay  250\nDelay\t250\nDelay\nMoveL -500\nMoveR +7\nKeyDown x65\n"
        "Delay 99999999999\nDelay -99999999999\nDelay - 5\n");
    std::vector<std::int32_t> numbers;
    for (const MacroStep& s : script) numbers.push_back(s.number());
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{250, 250, 0, 0, -500, 7, 0,
                                                  std::numeric_limits<std::int32_t>::max(),
                                                  std::numeric_limits<std::int32_t>::min(), 0}));
    EXPECT_EQ(script[2].argument, L"Delay\t250") << "no blank: the whole line";
}

TEST(MacroScriptParser, ReadsInTextMode) {
    // CR before LF dropped, a lone CR kept, the last line needs no LF.
    EXPECT_EQ(parse("Delay 1\r\nDelay 2\rx\nKeyUp 3"),
              (MacroScript{{'g', L" 1"}, {'g', L" 2\rx"}, {'k', L" 3"}}));
    // Ctrl+Z ends the file, even in the middle of a line.
    EXPECT_EQ(parse("Delay 1\nDelay 2\x1a"
                    "5\nLeftDown\n"),
              (MacroScript{{'g', L" 1"}, {'g', L" 2"}}));
    // A trailing CR on the last line is not before a line feed: it stays.
    EXPECT_EQ(parse("Delay 1\r"), (MacroScript{{'g', L" 1\r"}}));
}

TEST(MacroScriptParser, AnEmptyLineGoesOnALineStartingWithNulStops) {
    using namespace std::string_literals;
    EXPECT_EQ(parse("LeftDown\n\n\r\nLeftUp\n"), (MacroScript{{'a', L""}, {'b', L""}}));
    EXPECT_EQ(parse("LeftDown\n\0LeftUp\nLeftUp\n"s), (MacroScript{{'a', L""}}));
    // A NUL later in a line ends that line's text only.
    EXPECT_EQ(parse("KeyDown 12\0"
                    "3\nLeftUp\n"s),
              (MacroScript{{'j', L" 12"}, {'b', L""}}));
}

TEST(MacroScriptParser, ScriptsAsEditorsSaveThemReadEveryLine) {
    using namespace std::string_literals;
    const MacroScript expected{{'j', L" 17"}, {'g', L" 1"}, {'b', L""}};
    // "Unicode" in Notepad: UTF-16LE with its mark; and the big-endian form.
    EXPECT_EQ(parse("\xFF\xFE"
                    "K\0e\0y\0D\0o\0w\0n\0 \0"
                    "1\0"
                    "7\0\r\0\n\0D\0e\0l\0a\0y\0 \0"
                    "1\0\r\0\n\0L\0e\0f\0t\0U\0p\0"s),
              expected);
    EXPECT_EQ(parse("\xFE\xFF"
                    "\0K\0e\0y\0D\0o\0w\0n\0 \0"
                    "1\0"
                    "7\0\r\0\n\0D\0e\0l\0a\0y\0 \0"
                    "1\0\r\0\n\0L\0e\0f\0t\0U\0p"s),
              expected);
    // UTF-8 with its mark: the mark is not part of the first line.
    EXPECT_EQ(parse("\xEF\xBB\xBFKeyDown 17\r\nDelay 1\r\nLeftUp\r\n"), expected);
    // A character beyond one byte in a comment line changes nothing.
    EXPECT_EQ(parse("\xFF\xFE\x2C\x20\n\0L\0e\0f\0t\0U\0p\0"s), (MacroScript{{'b', L""}}));
}

TEST(MacroScriptParser, SixteenBitTextWithoutAMarkYieldsNoSteps) {
    using namespace std::string_literals;
    EXPECT_TRUE(parse("D\0e\0l\0a\0y\0 \0"
                      "1\0"s)
                    .empty());
}

TEST(MacroScriptParser, HighBytesStandForTheirLatin1Characters) {
    const MacroScript script = parse("KeyDown \xe9\xff 1\n");
    ASSERT_EQ(script.size(), 1u);
    EXPECT_EQ(script[0].argument, L" \x00e9\x00ff 1");
    EXPECT_EQ(script[0].number(), 0);
}

TEST(MacroScriptParser, RightButtonStepsCanBeKeptOut) {
    const std::string_view text = "RightDown\nLeftDown\nRightUp\nMiddleDown\n";
    EXPECT_EQ(parse(text, true), (MacroScript{{'a', L""}, {'e', L""}}));
    EXPECT_EQ(parse(text, false), (MacroScript{{'c', L""}, {'a', L""}, {'d', L""}, {'e', L""}}));
}

TEST(MacroScriptParser, EmptyAndBlankFilesYieldNoSteps) {
    EXPECT_TRUE(parse("").empty());
    EXPECT_TRUE(parse(" LeftDown\n KeyUp 5\n").empty());
    EXPECT_TRUE(parse("\n\n\r\n").empty());
}

}  // namespace
}  // namespace vela
