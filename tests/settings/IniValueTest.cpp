#include <gtest/gtest.h>

#include <string>

#include "settings/IniDocument.h"
#include "settings/IniValue.h"

namespace vela {
namespace {

using namespace std::string_literals;

// Values that a naive "key=value" line loses or corrupts.
const std::wstring kAwkwardValues[] = {
    L"",
    L"plain",
    L"C:\\Program Files\\Vela\\run.exe",
    L"a=b=c",
    L"[NotASection]",
    L"  leading and trailing  ",
    L"\ttabbed\t",
    L" ",
    L"\"quoted\"",
    L"'single'",
    L"\"",
    L"\"\"",
    L"'mismatched\"",
    L"line one\nline two",
    L"crlf\r\n[Injected]\r\n1=1",
    L"lone\rcr",
    L"\n",
    L"nul\0inside"s,
    L"\\~looks escaped",
    L"\"\\~looks escaped\"",
    L"\\~",
    L"ends with backslash\\",
    L"\\n is not a newline",
    L"\x00e9t\x00e9 \x043f\x0440\x0438\x0432\x0435\x0442 \x65e5\x672c",
    L";comment-like",
};

TEST(IniValue, EveryValueReadsBackUnchangedThroughAFileLine) {
    for (const std::wstring& value : kAwkwardValues) {
        IniDocument doc;
        doc.writeValue(L"S", L"5", encodeIniValue(value));
        doc.writeValue(L"S", L"6", L"after");
        // Parse the text again, as the next start of the program would.
        const IniDocument reread(doc.text());
        const auto raw = reread.rawValue(L"S", L"5");
        ASSERT_TRUE(raw.has_value());
        EXPECT_EQ(decodeIniValue(*raw), value);
        // The value never spills into a line of its own.
        EXPECT_EQ(reread.rawValue(L"S", L"6"), std::optional<std::wstring_view>(L"after"));
        EXPECT_FALSE(reread.rawValue(L"Injected", L"1").has_value());
    }
}

TEST(IniValue, PlainValuesAreWrittenAsTheyAre) {
    EXPECT_EQ(encodeIniValue(L"Copy"), L"Copy");
    EXPECT_EQ(encodeIniValue(L"C:\\new\\x.exe"), L"C:\\new\\x.exe");
    EXPECT_EQ(encodeIniValue(L"a=b"), L"a=b");
    EXPECT_EQ(encodeIniValue(L""), L"");
}

TEST(IniValue, OuterBlanksAndQuotesAreKeptInAFormThePlatformReadsAlike) {
    // The platform's profile functions drop outer blanks and one pair of
    // matching quotes, so these forms read the same there.
    EXPECT_EQ(encodeIniValue(L" a "), L"\" a \"");
    EXPECT_EQ(encodeIniValue(L"\"q\""), L"\"\"q\"\"");
    EXPECT_EQ(encodeIniValue(L"'q'"), L"\"'q'\"");
}

TEST(IniValue, LineBreaksUseTheEscapedForm) {
    EXPECT_EQ(encodeIniValue(L"a\r\nb\\c"), L"\"\\~a\\r\\nb\\\\c\"");
    EXPECT_EQ(encodeIniValue(L"\\~x"), L"\\~x") << "unquoted, so never read as escaped";
    EXPECT_EQ(encodeIniValue(L" \\~x"), L"\" \\~x\"");
    EXPECT_EQ(encodeIniValue(L"\\~x "), L"\"\\~\\\\~x \"");
}

TEST(IniValue, ReadsOldFilesAsThePlatformDoes) {
    EXPECT_EQ(decodeIniValue(L"  Copy  "), L"Copy");
    EXPECT_EQ(decodeIniValue(L"\"C:\\new dir\\x.exe\""), L"C:\\new dir\\x.exe");
    EXPECT_EQ(decodeIniValue(L"'x'"), L"x");
    EXPECT_EQ(decodeIniValue(L"\"x'"), L"\"x'");
    EXPECT_EQ(decodeIniValue(L"\""), L"\"");
    EXPECT_EQ(decodeIniValue(L"\"\\\\server\\share\""), L"\\\\server\\share");
}

TEST(IniValue, BrokenEscapesStandForThemselves) {
    EXPECT_EQ(decodeIniValue(L"\"\\~a\\qb\\\""), L"a\\qb\\");
    EXPECT_EQ(decodeIniValue(L"\"\\~\""), L"");
}

TEST(IniValue, TrimRemovesTheRuntimeBlanksOnly) {
    EXPECT_EQ(trimBlanks(L" \t\r\n\v\fx y\f\v\n\r\t "), L"x y");
    EXPECT_EQ(trimBlanks(L"\x00a0x\x00a0"), L"\x00a0x\x00a0");
    EXPECT_EQ(trimBlanks(L"   "), L"");
}

}  // namespace
}  // namespace vela
