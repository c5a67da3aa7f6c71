#include "settings/Windows1252.h"

#include <algorithm>
#include <array>

namespace vela {

namespace {

// 0x80..0x9F; the five bytes the code page leaves undefined map to the C1
// control of the same value, as the platform's own conversion does.
// clang-format off
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

}  // namespace

std::wstring Windows1252::decode(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes) {
        out.push_back(b >= 0x80 && b < 0xA0 ? static_cast<wchar_t>(kHighControls[b - 0x80])
                                            : static_cast<wchar_t>(b));
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> Windows1252::encode(std::wstring_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<std::uint8_t>(c));
            continue;
        }
        // Beyond 16 bits (where wchar_t has 32) nothing is in the table.
        const auto code = static_cast<std::uint32_t>(c);
        const auto* found = std::find(kHighControls.begin(), kHighControls.end(),
                                      static_cast<char16_t>(code & 0xFFFF));
        if ((code >> 16) != 0 || found == kHighControls.end()) return std::nullopt;
        out.push_back(static_cast<std::uint8_t>(0x80 + (found - kHighControls.begin())));
    }
    return out;
}

}  // namespace vela
