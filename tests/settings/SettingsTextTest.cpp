#include <gtest/gtest.h>

#include "settings/SettingsText.h"
#include "settings/Windows1252.h"
#include "tests/support/MemoryFilePort.h"

namespace vela {
namespace {

using test::bytesOf;

std::wstring decode(const std::vector<std::uint8_t>& bytes) {
    Windows1252 ansi;
    return decodeSettingsText(bytes, ansi).text;
}

TEST(SettingsText, FilesWithoutAMarkAreTheAnsiCodePage) {
    EXPECT_EQ(decode(bytesOf("0=caf\xe9 \x80 \x9f\r\n")), L"0=caf\x00e9 \x20ac \x0178\r\n");
    // The bytes the code page leaves undefined still come through, as C1 controls.
    EXPECT_EQ(decode({0x81, 0x8D, 0x8F, 0x90, 0x9D}), L"\x0081\x008d\x008f\x0090\x009d");
    EXPECT_EQ(decode({}), L"");
}

TEST(SettingsText, Utf8WithMarkIsDecodedAndTheMarkDropped) {
    EXPECT_EQ(decode(bytesOf("\xEF\xBB\xBF[S]\r\n0=\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80")),
              L"[S]\r\n0=\x00e9\x20ac" +
                  std::wstring(sizeof(wchar_t) == 2 ? L"\xd83d\xde00" : L"\U0001F600"));
}

TEST(SettingsText, BrokenUtf8BecomesReplacementCharactersWithoutLosingWhatFollows) {
    // A cut sequence, a stray continuation byte, an overlong form, a surrogate.
    EXPECT_EQ(decode(bytesOf("\xEF\xBB\xBF"
                             "a\xE2\x82z\x80y\xC0\xAFx\xED\xA0\x80w")),
              L"a\xfffdz\xfffdy\xfffdx\xfffdw");
    EXPECT_EQ(decode(bytesOf("\xEF\xBB\xBF\xF0\x9F")), L"\xfffd");
}

TEST(SettingsText, Utf16LeWithMarkRoundTripsEveryUnit) {
    const std::vector<std::uint8_t> bytes = {
        0xFF, 0xFE,              // mark
        'A',  0x00,              //
        0xAC, 0x20,              // euro sign
        0x3D, 0xD8, 0x00, 0xDE,  // a surrogate pair
        0x00, 0xD8, 'B',  0x00,  // a lone high surrogate
        0x00, 0xDC,              // a lone low surrogate at the end
    };
    const std::wstring text = decode(bytes);
    EXPECT_EQ(text.front(), L'A');
    EXPECT_EQ(encodeUtf16LeWithBom(text), bytes);
}

TEST(SettingsText, AStrayLastByteOfUtf16IsDropped) {
    EXPECT_EQ(decode({0xFF, 0xFE, 'A', 0x00, 'B'}), L"A");
}

TEST(SettingsText, WritesUtf16LeWithMark) {
    EXPECT_EQ(encodeUtf16LeWithBom(L"A\x00e9\r\n"),
              (std::vector<std::uint8_t>{0xFF, 0xFE, 'A', 0, 0xE9, 0, '\r', 0, '\n', 0}));
    EXPECT_EQ(encodeUtf16LeWithBom(L""), (std::vector<std::uint8_t>{0xFF, 0xFE}));
}

}  // namespace
}  // namespace vela
