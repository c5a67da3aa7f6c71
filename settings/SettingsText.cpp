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

std::wstring decodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;  // a stray last byte holds no character
    const auto unit = [&](std::size_t i) -> char32_t {
        const std::uint8_t first = bytes[2 * i];
        const std::uint8_t second = bytes[2 * i + 1];
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : first | (second << 8));
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

// One UTF-8 sequence from `i`: its code point, where the next one starts, and
// whether it is well formed. A broken sequence ends after its valid part.
struct Utf8Sequence {
    char32_t codePoint = 0;
    std::size_t next = 0;
    bool valid = false;
};

Utf8Sequence readUtf8(std::span<const std::uint8_t> bytes, std::size_t i) {
    const std::uint8_t lead = bytes[i];
    std::size_t extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        return {lead, i + 1, true};
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {kReplacement, i + 1, false};
    }
    std::size_t j = i + 1;
    for (; j <= i + extra; ++j) {
        if (j >= bytes.size() || (bytes[j] & 0xC0) != 0x80) break;
        cp = (cp << 6) | (bytes[j] & 0x3F);
    }
    const bool complete = j == i + 1 + extra;
    if (!complete || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {kReplacement, complete ? j : std::max(j, i + 1), false};
    return {cp, j, true};
}

std::wstring decodeUtf8(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    // One replacement per broken sequence; go on after its valid part.
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = readUtf8(bytes, i);
        appendCodePoint(out, sequence.codePoint);
        i = sequence.next;
    }
    return out;
}

// Whether every sequence is well-formed UTF-8 and at least one is not ASCII.
bool isUtf8BeyondAscii(std::span<const std::uint8_t> bytes) {
    bool beyond = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = readUtf8(bytes, i);
        if (!sequence.valid) return false;
        beyond = beyond || sequence.codePoint >= 0x80;
        i = sequence.next;
    }
    return beyond;
}

void appendUtf8(std::vector<std::uint8_t>& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<std::uint8_t>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<std::uint8_t>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<std::uint8_t>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<std::uint8_t>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
    }
}

// The code points of a wide text: surrogate pairs joined where wchar_t is 16
// bits; a lone surrogate stays what it is.
template <typename Sink>
void forEachCodePoint(std::wstring_view text, Sink sink) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (isHighSurrogate(cp) && i + 1 < text.size() &&
                isLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
                cp =
                    0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
                ++i;
            }
        }
        if (cp > 0x10FFFF) cp = kReplacement;
        sink(cp);
    }
}

std::vector<std::uint8_t> encodeUtf16(std::wstring_view text, bool bigEndian) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2);
    const auto putUnit = [&out, bigEndian](char32_t u) {
        const auto high = static_cast<std::uint8_t>((u >> 8) & 0xFF);
        const auto low = static_cast<std::uint8_t>(u & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    };
    forEachCodePoint(text, [&](char32_t cp) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            putUnit(0xD800 + (cp >> 10));
            putUnit(0xDC00 + (cp & 0x3FF));
        } else {
            putUnit(cp);
        }
    });
    return out;
}

}  // namespace

DecodedText decodeSettingsText(std::span<const std::uint8_t> bytes, AnsiCodePage& ansi) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return {decodeUtf16(bytes.subspan(2), false), TextEncoding::Utf16Le};
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        return {decodeUtf16(bytes.subspan(2), true), TextEncoding::Utf16Be};
    }
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        return {decodeUtf8(bytes.subspan(3)), TextEncoding::Utf8WithMark};
    }
    if (isUtf8BeyondAscii(bytes)) return {decodeUtf8(bytes), TextEncoding::Utf8};
    return {ansi.decode(bytes), TextEncoding::Ansi};
}

std::optional<std::vector<std::uint8_t>> encodeSettingsText(std::wstring_view text,
                                                            TextEncoding encoding,
                                                            AnsiCodePage& ansi) {
    std::vector<std::uint8_t> out;
    switch (encoding) {
        case TextEncoding::Ansi:
            return ansi.encode(text);
        case TextEncoding::Utf8WithMark:
            out = {0xEF, 0xBB, 0xBF};
            [[fallthrough]];
        case TextEncoding::Utf8:
            forEachCodePoint(text, [&out](char32_t cp) {
                appendUtf8(out, cp >= 0xD800 && cp <= 0xDFFF ? kReplacement : cp);
            });
            return out;
        case TextEncoding::Utf16Be: {
            out = {0xFE, 0xFF};
            const auto body = encodeUtf16(text, true);
            out.insert(out.end(), body.begin(), body.end());
            return out;
        }
        case TextEncoding::Utf16Le:
            break;
    }
    return encodeUtf16LeWithBom(text);
}

std::vector<std::uint8_t> encodeUtf16LeWithBom(std::wstring_view text) {
    std::vector<std::uint8_t> out{0xFF, 0xFE};
    const auto body = encodeUtf16(text, false);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace vela
