#include <gtest/gtest.h>

#include "settings/IniDocument.h"

namespace vela {
namespace {

using Raw = std::optional<std::wstring_view>;

TEST(IniDocument, UneditedTextComesBackExactly) {
    const std::wstring texts[] = {
        L"",
        L"\r\n",
        L"no newline at all",
        L"[A]\r\nk=v\nmixed=endings\r\n\r\n; comment\n  [ B ]  \r\nx = y \r\nlast",
        L"lone\rcarriage\r\r\n\n\n",
        L"\xfeff[bom-like]\r\n",
    };
    for (const std::wstring& text : texts) EXPECT_EQ(IniDocument(text).text(), text);
}

TEST(IniDocument, FindsTheFirstSectionAndKeyOfEachNameWithoutRegardToCase) {
    const IniDocument doc(
        L"top=level\r\n"
        L"[Main]\r\n"
        L"  Key  =  spaced  \r\n"
        L"key=second\r\n"
        L"novalue\r\n"
        L"[main]\r\n"
        L"other=duplicate section\r\n"
        L"[Empty]\r\n");
    EXPECT_EQ(doc.rawValue(L"MAIN", L"key"), Raw(L"  spaced  "));
    EXPECT_EQ(doc.rawValue(L"Main", L"other"), std::nullopt) << "only the first [main] counts";
    EXPECT_EQ(doc.rawValue(L"Main", L"novalue"), std::nullopt);
    EXPECT_EQ(doc.rawValue(L"Main", L"top"), std::nullopt) << "lines before any header";
    EXPECT_EQ(doc.rawValue(L"Empty", L"key"), std::nullopt);
    EXPECT_EQ(doc.rawValue(L"Missing", L"key"), std::nullopt);
}

TEST(IniDocument, DeleteSectionTakesItsHeaderAndEveryLineToTheNextHeader) {
    IniDocument doc(L"[A]\r\na=1\r\n\r\n[B]\r\n; note\r\nb=2\r\n\r\n[C]\nc=3");
    doc.deleteSection(L"b");
    EXPECT_EQ(doc.text(), L"[A]\r\na=1\r\n\r\n[C]\nc=3");
    doc.deleteSection(L"C");
    EXPECT_EQ(doc.text(), L"[A]\r\na=1\r\n\r\n");
    doc.deleteSection(L"missing");
    EXPECT_EQ(doc.text(), L"[A]\r\na=1\r\n\r\n");
}

// Keys are listed once each, in order; deleting some leaves the others and
// the blank and comment lines, and the section goes only when nothing but
// blank lines is left of it.
TEST(IniDocument, KeysAreListedAndDeletedByNameAndAnEmptiedSectionGoes) {
    const std::wstring text =
        L"[P]\r\n X1.0 = a\r\nFont=b\r\nx1.0=again\r\nno equals\r\n[Q]\r\nX1.0=c\r\n\r\n"
        L"[\u00DCber]\r\nX1.0=d";
    IniDocument doc(text);
    EXPECT_EQ(doc.keyNames(L"p"), (std::vector<std::wstring>{L"X1.0", L"Font"}));
    EXPECT_EQ(doc.keyNames(L"\u00FCBER"), (std::vector<std::wstring>{L"X1.0"}));
    EXPECT_TRUE(doc.keyNames(L"missing").empty());

    const auto vela = [](std::wstring_view key) { return key == L"X1.0" || key == L"x1.0"; };
    doc.deleteKeys(L"P", vela);
    doc.deleteKeys(L"Q", vela);
    doc.deleteKeys(L"missing", vela);
    EXPECT_EQ(doc.text(), L"[P]\r\nFont=b\r\nno equals\r\n[\u00DCber]\r\nX1.0=d");
    doc.deleteKeys(L"\u00FCber", vela);
    EXPECT_EQ(doc.text(), L"[P]\r\nFont=b\r\nno equals\r\n");
}

TEST(IniDocument, DeleteOfADuplicatedSectionLeavesTheSecondForTheNextWrite) {
    IniDocument doc(L"[S]\r\n0=old\r\n[Other]\r\nx=1\r\n[S]\r\n0=dup\r\n");
    doc.deleteSection(L"S");
    doc.writeValue(L"S", L"0", L"new");
    EXPECT_EQ(doc.text(), L"[Other]\r\nx=1\r\n[S]\r\n0=new\r\n");
}

TEST(IniDocument, WriteReplacesAnExistingKeyInPlaceKeepingItsLineEnding) {
    IniDocument doc(L"[S]\n a =old\nb=2\n");
    doc.writeValue(L"s", L"A", L"new");
    EXPECT_EQ(doc.text(), L"[S]\nA=new\nb=2\n");
}

TEST(IniDocument, WriteAddsANewKeyAfterTheSectionsLastNonBlankLine) {
    IniDocument doc(L"[S]\r\na=1\r\n\r\n\r\n[T]\r\nt=1\r\n");
    doc.writeValue(L"S", L"b", L"2");
    EXPECT_EQ(doc.text(), L"[S]\r\na=1\r\nb=2\r\n\r\n\r\n[T]\r\nt=1\r\n");
}

TEST(IniDocument, WriteAppendsANewSectionEndingTheLastLineFirstAsTheFileEndsItsLines) {
    IniDocument doc(L"[T]\nt=1");
    doc.writeValue(L"S", L"0", L"x");
    doc.writeValue(L"S", L"1", L"y");
    EXPECT_EQ(doc.text(), L"[T]\nt=1\n[S]\n0=x\n1=y\n");

    IniDocument oldMac(L"[T]\rt=1\r");
    oldMac.writeValue(L"T", L"u", L"2");
    EXPECT_EQ(oldMac.text(), L"[T]\rt=1\ru=2\r");

    IniDocument empty;
    empty.writeValue(L"S", L"0", L"");
    EXPECT_EQ(empty.text(), L"[S]\r\n0=\r\n");
}

TEST(IniDocument, AValueCanHoldEqualsSignsAndBrackets) {
    IniDocument doc;
    doc.writeValue(L"S", L"5", L"[x]=y");
    const IniDocument reread(doc.text());
    EXPECT_EQ(reread.rawValue(L"S", L"5"), Raw(L"[x]=y"));
}

TEST(IniDocument, AHeaderWithoutClosingBracketStillOpensASection) {
    const IniDocument doc(L"[Open\r\nk=v\r\n");
    EXPECT_EQ(doc.rawValue(L"Open", L"k"), Raw(L"v"));
}

}  // namespace
}  // namespace vela
