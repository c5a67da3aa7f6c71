#include "settings/SettingsText.h"

#include <algorithm>

namespace vela {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Appends one code point in the wide form of this platform: a surrogate pair
// where wchar_t is 16 bits, the code point itself where it is 32.
void appendCodePoint(std::wstring& out, char32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

bool isHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

std::wstring decodeUtf16Le(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;  // a stray last byte holds no character
    const auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = unit(i);
        if constexpr (sizeof(wchar_t) == 4) {
            if (isHighSurrogate(u) && i + 1 < units && isLowSurrogate(unit(i + 1))) {
                out.push_back(
                    static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00)));
                ++i;
                continue;
            }
        }
        // A lone surrogate is kept as it is, so that it is written back unchanged.
        out.push_back(static_cast<wchar_t>(u));
    }
    return out;
}

std::wstring decodeUtf8(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            appendCodePoint(out, kReplacement);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        for (; j <= i + static_cast<std::size_t>(extra); ++j) {
            if (j >= bytes.size() || (bytes[j] & 0xC0) != 0x80) break;
            cp = (cp << 6) | (bytes[j] & 0x3F);
        }
        const bool complete = j == i + 1 + static_cast<std::size_t>(extra);
        if (!complete || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            // One replacement per broken sequence; go on after its valid part.
            appendCodePoint(out, kReplacement);
            i = complete ? j : std::max(j, i + 1);
            continue;
        }
        appendCodePoint(out, cp);
        i = j;
    }
    return out;
}

}  // namespace

std::wstring decodeSettingsText(std::span<const std::uint8_t> bytes, AnsiCodePage& ansi) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return decodeUtf16Le(bytes.subspan(2));
    }
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        return decodeUtf8(bytes.subspan(3));
    }
    return ansi.decode(bytes);
}

std::vector<std::uint8_t> encodeUtf16LeWithBom(std::wstring_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(2 + text.size() * 2);
    out.push_back(0xFF);
    out.push_back(0xFE);
    const auto putUnit = [&out](char32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>((u >> 8) & 0xFF));
    };
    for (wchar_t c : text) {
        char32_t cp = static_cast<char32_t>(c);
        if constexpr (sizeof(wchar_t) == 4) {
            if (cp > 0x10FFFF) cp = kReplacement;
            if (cp >= 0x10000) {
                cp -= 0x10000;
                putUnit(0xD800 + (cp >> 10));
                putUnit(0xDC00 + (cp & 0x3FF));
                continue;
            }
        }
        putUnit(cp);
    }
    return out;
}

}  // namespace vela
