#include <gtest/gtest.h>

#include <string>

#include "core/TypedText.h"
#include "settings/IniDocument.h"
#include "settings/IniValue.h"
#include "settings/SettingsText.h"
#include "settings/Windows1252.h"

namespace vela {
namespace {

using namespace std::string_literals;

const std::wstring kGrin = L"\U0001F600";

// A text to type is kept as any other value: encodeIniValue on the way in,
// decodeIniValue on the way out. It must come back whole from every form the
// file takes; an ANSI file that cannot hold it becomes UTF-16, as the store
// does for any value.
TEST(TypedTextValue, AnyTextComesBackWholeFromEveryFormOfTheFile) {
    const std::wstring texts[] = {
        L"Gr\u00fc\u00dfe, \u6771\u4eac \u20ac5\nline 2",  L"Smile " + kGrin + L"\r\n",
        L"  \"quoted\", blanks and a tab at both ends\t ", L"[Vela]\r\nKeys=1\r\n\\~\\n\0"s,
        std::wstring(kTypedTextLimit - 2, L'x') + kGrin,
    };
    const TextEncoding forms[] = {TextEncoding::Ansi, TextEncoding::Utf8,
                                  TextEncoding::Utf8WithMark, TextEncoding::Utf16Le,
                                  TextEncoding::Utf16Be};
    Windows1252 ansi;
    for (const std::wstring& text : texts) {
        IniDocument doc(L"[X1]\r\n0=Caption\r\n");
        doc.writeValue(L"X1", L"Text", encodeIniValue(text));
        doc.writeValue(L"X1", L"after", L"1");
        for (TextEncoding form : forms) {
            const auto bytes = encodeSettingsText(doc.text(), form, ansi)
                                   .value_or(encodeUtf16LeWithBom(doc.text()));
            const IniDocument reread(decodeSettingsText(bytes, ansi).text);
            const auto raw = reread.rawValue(L"X1", L"Text");
            ASSERT_TRUE(raw.has_value());
            EXPECT_EQ(decodeIniValue(*raw), text) << static_cast<int>(form);
            EXPECT_EQ(reread.rawValue(L"X1", L"after"), std::optional<std::wstring_view>(L"1"));
            EXPECT_EQ(reread.keyNames(L"X1"), (std::vector<std::wstring>{L"0", L"Text", L"after"}));
        }
    }
}

}  // namespace
}  // namespace vela
