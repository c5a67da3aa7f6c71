// Reads the number at the start of a text the way the C runtime's
// string-to-integer conversion does, without its undefined overflow.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace vela {

// The C runtime's wide white-space test in the "C" locale.
constexpr bool isBlankChar(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// Leading white space skipped, an optional sign, then decimal digits up to the
// first non-digit; 0 without digits. Values beyond 32 bits saturate instead of
// wrapping, so a huge number can never turn into its opposite.
constexpr std::int32_t parseLeadingInt(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlankChar(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int64_t limit = negative ? kMax + 1 : kMax;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > limit) value = limit;  // keeps going to consume the digits
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace vela
