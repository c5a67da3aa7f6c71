// Names compare as the system's ordinal compare that ignores case does: each
// letter against its capital, in every script the table carries, and a
// letter that only looks alike stays apart.
#include <gtest/gtest.h>

#include "core/CaselessName.h"

namespace vela {
namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(CaselessName, LettersMeetTheirCapitalsInEveryScriptAndSortByThem) {
    struct Row {
        const wchar_t* a;
        const wchar_t* b;
        int order;  // -1: a first, 0: the same name, 1: b first
    };
    const Row rows[] = {
        {L"\u00FCBER.EXE", L"\u00DCber.exe", 0},  // Latin-1
        {L"\u00C0\u00C9\u00CE\u00D5\u00DD\u00DE", L"\u00E0\u00E9\u00EE\u00F5\u00FD\u00FE", 0},
        {L"\u00FF", L"\u0178", 0},                                    // y with diaeresis
        {L"\u0141\u00D3D\u0179.EXE", L"\u0142\u00F3d\u017A.exe", 0},  // Latin Extended-A
        {L"\u0152", L"\u0153", 0},
        {L"\u01CD\u01CF\u01D1\u01C4", L"\u01CE\u01D0\u01D2\u01C6", 0},  // Latin Extended-B
        {L"\u0386\u039B\u03A6\u0391", L"\u03AC\u03BB\u03C6\u03B1", 0},  // Greek
        {L"\u039B\u039F\u0393\u039F\u03A3", L"\u03BB\u03BF\u03B3\u03BF\u03C2", 0},  // final sigma
        {L"\u041F\u0420\u041E\u0413\u0420\u0410\u041C\u041C\u0410.EXE",
         L"\u043F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0430.exe", 0},  // Cyrillic
        {L"\u0401\u0436", L"\u0451\u0416", 0},
        {L"\u0531", L"\u0561", 0},  // Armenian
        // Alike, not the same.
        {L"I", L"\u0131", -1},      // dotless i
        {L"S", L"\u017F", -1},      // long s
        {L"\u039C", L"\u00B5", 1},  // micro sign
        {L"SS", L"\u00DF", -1},     // sharp s
        {L"notepad", L"notepad.exe", -1},
        // Sorted by the capitals, then by length.
        {L"a", L"B", -1},
        {L"b", L"A", 1},
        {L"a", L"_", -1},
        {L"Z.exe", L"\u00E4.exe", -1},
        {L"abc", L"ABCD", -1},
        {L"", L"", 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(sign(compareCaseless(r.a, r.b)), r.order) << testing::PrintToString(r.a);
        EXPECT_EQ(sign(compareCaseless(r.b, r.a)), -r.order) << testing::PrintToString(r.b);
        EXPECT_EQ(sameCaseless(r.a, r.b), r.order == 0) << testing::PrintToString(r.a);
    }
}

// The Greek letters with iota subscript meet their capitals with
// prosgegrammeni, one unit each, as the system folds them (their full
// uppercase is two letters, which a unit-by-unit compare cannot use).
TEST(CaselessName, GreekLettersWithIotaSubscriptMeetTheirCapitals) {
    std::wstring small;
    std::wstring capitals;
    for (const wchar_t first : {0x1F80, 0x1F90, 0x1FA0})
        for (wchar_t c = first; c < first + 8; ++c) {
            small += c;
            capitals += static_cast<wchar_t>(c + 8);
        }
    small += L"\u1FB3\u1FC3\u1FF3";
    capitals += L"\u1FBC\u1FCC\u1FFC";
    for (std::size_t i = 0; i < small.size(); ++i)
        EXPECT_TRUE(sameCaseless(small.substr(i, 1), capitals.substr(i, 1)))
            << std::hex << static_cast<int>(small[i]);
    EXPECT_EQ(compareCaseless(L"\u1F80", L"\u1F81"), -1);
}

}  // namespace
}  // namespace vela
