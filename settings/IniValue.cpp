#include "settings/IniValue.h"

#include <algorithm>
#include <array>

#include "core/LeadingInteger.h"

namespace vela {

namespace {

constexpr std::wstring_view kEscapedOpen = L"\"\\~";

bool isQuote(wchar_t c) {
    return c == L'"' || c == L'\'';
}

// Each character the escaped form spells out, and the letter after the
// backslash that stands for it. Used in both directions.
struct Escape {
    wchar_t character;
    wchar_t letter;
};
constexpr std::array<Escape, 4> kEscapes{
    {{L'\\', L'\\'}, {L'\r', L'r'}, {L'\n', L'n'}, {L'\0', L'0'}}};

std::wstring unescape(std::wstring_view body) {
    std::wstring out;
    out.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        const wchar_t c = body[i];
        const auto escape =
            c != L'\\' || i + 1 == body.size()
                ? kEscapes.end()
                : std::find_if(kEscapes.begin(), kEscapes.end(),
                               [next = body[i + 1]](const Escape& e) { return e.letter == next; });
        if (escape == kEscapes.end()) {
            out.push_back(c);  // not an escape: the character stands for itself
        } else {
            out.push_back(escape->character);
            ++i;
        }
    }
    return out;
}

std::wstring escaped(std::wstring_view value) {
    std::wstring out(kEscapedOpen);
    for (wchar_t c : value) {
        const auto escape = std::find_if(kEscapes.begin(), kEscapes.end(),
                                         [c](const Escape& e) { return e.character == c; });
        if (escape == kEscapes.end()) {
            out.push_back(c);
        } else {
            out.push_back(L'\\');
            out.push_back(escape->letter);
        }
    }
    out.push_back(L'"');
    return out;
}

}  // namespace

std::wstring_view trimBlanks(std::wstring_view text) {
    while (!text.empty() && isBlankChar(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankChar(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring decodeIniValue(std::wstring_view raw) {
    const std::wstring_view t = trimBlanks(raw);
    if (t.size() > kEscapedOpen.size() && t.starts_with(kEscapedOpen) && t.back() == L'"') {
        return unescape(t.substr(kEscapedOpen.size(), t.size() - kEscapedOpen.size() - 1));
    }
    if (t.size() >= 2 && isQuote(t.front()) && t.back() == t.front()) {
        return std::wstring(t.substr(1, t.size() - 2));
    }
    return std::wstring(t);
}

std::wstring encodeIniValue(std::wstring_view value) {
    if (value.find_first_of(std::wstring_view(L"\r\n\0", 3)) == std::wstring_view::npos) {
        if (decodeIniValue(value) == value) return std::wstring(value);
        std::wstring quoted = L"\"" + std::wstring(value) + L"\"";
        if (decodeIniValue(quoted) == value) return quoted;
    }
    return escaped(value);
}

}  // namespace vela
