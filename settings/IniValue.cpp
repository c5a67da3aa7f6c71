#include "settings/IniValue.h"

#include "core/LeadingInteger.h"

namespace vela {

namespace {

constexpr std::wstring_view kEscapedOpen = L"\"\\~";

bool isQuote(wchar_t c) { return c == L'"' || c == L'\''; }

std::wstring unescape(std::wstring_view body) {
    std::wstring out;
    out.reserve(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) {
        const wchar_t c = body[i];
        if (c != L'\\' || i + 1 == body.size()) {
            out.push_back(c);
            continue;
        }
        switch (body[i + 1]) {
            case L'\\': out.push_back(L'\\'); break;
            case L'r': out.push_back(L'\r'); break;
            case L'n': out.push_back(L'\n'); break;
            case L'0': out.push_back(L'\0'); break;
            default:
                out.push_back(c);
                continue;  // not an escape: the next character stands for itself
        }
        ++i;
    }
    return out;
}

std::wstring escaped(std::wstring_view value) {
    std::wstring out(kEscapedOpen);
    for (wchar_t c : value) {
        switch (c) {
            case L'\\': out += L"\\\\"; break;
            case L'\r': out += L"\\r"; break;
            case L'\n': out += L"\\n"; break;
            case L'\0': out += L"\\0"; break;
            default: out.push_back(c);
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
