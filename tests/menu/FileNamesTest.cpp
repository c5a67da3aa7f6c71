// Program captions and names taken from paths.
#include <gtest/gtest.h>

#include <string>

#include "menu/FileNames.h"

namespace vela::menu {
namespace {

TEST(ProgramCaption, NamesUpToTwentyCharactersAreShownWhole) {
    EXPECT_EQ(programCaption(L""), L"");
    EXPECT_EQ(programCaption(L"a.exe"), L"a.exe");
    const std::wstring twenty = L"abcdefghijklmnop.exe";
    ASSERT_EQ(twenty.size(), 20u);
    EXPECT_EQ(programCaption(twenty), twenty);
}

TEST(ProgramCaption, LongerNamesKeepEighteenCharactersAndTwoDots) {
    const std::wstring twentyOne = L"abcdefghijklmnopq.exe";
    ASSERT_EQ(twentyOne.size(), 21u);
    EXPECT_EQ(programCaption(twentyOne), L"abcdefghijklmnopq...");
    const std::wstring twentyFive = L"VeryLongProgramNameXY.exe";
    ASSERT_EQ(twentyFive.size(), 25u);
    EXPECT_EQ(programCaption(twentyFive), L"VeryLongProgramNam..");
    EXPECT_EQ(programCaption(twentyFive).size(), 20u);
}

TEST(ProgramCaption, SurrogatePairsCountAsOneCharacterAndAreNeverSplit) {
    // U+1F600 as UTF-16: the same names as above with 16-bit code units.
    const std::u16string smile = u"\U0001F600";
    ASSERT_EQ(smile.size(), 2u);

    // 20 characters, 21 code units: shown whole.
    const std::u16string twenty = smile + u"bcdefghijklmnop.exe";
    EXPECT_EQ(shortenedProgramCaption<char16_t>(twenty), twenty);

    // The 18th character is the pair: kept whole, then "..".
    const std::u16string cut = u"abcdefghijklmnopq" + smile + u"xyz.exe";
    EXPECT_EQ(shortenedProgramCaption<char16_t>(cut), u"abcdefghijklmnopq" + smile + u"..");

    // The pair just after the kept part is dropped whole.
    const std::u16string after = u"abcdefghijklmnopqr" + smile + u"yz.exe";
    EXPECT_EQ(shortenedProgramCaption<char16_t>(after), u"abcdefghijklmnopqr..");

    // A lone high surrogate is one character of its own.
    const std::u16string lone = std::u16string(17, u'a') + char16_t(0xD800) + u"bcdefgh";
    EXPECT_EQ(shortenedProgramCaption<char16_t>(lone),
              std::u16string(17, u'a') + char16_t(0xD800) + u"..");

    // With 32-bit units the same character is one unit.
    const std::u32string wide = U"abcdefghijklmnopq\U0001F600xyz.exe";
    EXPECT_EQ(shortenedProgramCaption<char32_t>(wide), U"abcdefghijklmnopq\U0001F600..");
}

TEST(FileNames, FileNamePartAfterEitherSeparator) {
    EXPECT_EQ(fileNamePart(L"C:\\Program Files\\Tool\\tool.exe"), L"tool.exe");
    EXPECT_EQ(fileNamePart(L"C:/x/y.exe"), L"y.exe");
    EXPECT_EQ(fileNamePart(L"plain.exe"), L"plain.exe");
    EXPECT_EQ(fileNamePart(L"C:\\dir\\"), L"");
}

TEST(FileNames, ApplicationNameDropsFoldersAndTheLastExtension) {
    EXPECT_EQ(applicationName(L"C:\\Apps\\Vela.exe"), L"Vela");
    EXPECT_EQ(applicationName(L"C:\\My.Apps\\Vela"), L"Vela");
    EXPECT_EQ(applicationName(L"C:\\Apps\\vela.v3.exe"), L"vela.v3");
    EXPECT_EQ(applicationName(L"C:\\Apps\\.exe"), L".exe");
}

}  // namespace
}  // namespace vela::menu
