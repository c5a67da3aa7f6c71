// Names derived from file paths for display: caption buttons and the
// application's name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vela::menu {

// The longest program name shown whole on a caption button; longer names keep
// their first kProgramCaptionKeep characters and end in "..".
inline constexpr std::size_t kProgramCaptionMax = 20;
inline constexpr std::size_t kProgramCaptionKeep = 18;

// The name with extension after the last '\\' or '/'.
std::wstring fileNamePart(std::wstring_view path);

// The file name without its last extension: the application's name taken from
// its executable's path.
std::wstring applicationName(std::wstring_view executablePath);

namespace detail {

template <typename CharT>
constexpr bool isHighSurrogate(CharT c) {
    return sizeof(CharT) == 2 && c >= 0xD800 && c <= 0xDBFF;
}

// Length of the character starting at `i`: a UTF-16 surrogate pair is one
// character, so a caption never ends in half of one.
template <typename CharT>
constexpr std::size_t unitsOfCharacterAt(std::basic_string_view<CharT> s, std::size_t i) {
    if (isHighSurrogate(s[i]) && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
        return 2;
    return 1;
}

}  // namespace detail

// The caption a chosen program gets. Characters are counted as the user sees
// them, the same with 16- and 32-bit wchar_t.
template <typename CharT>
std::basic_string<CharT> shortenedProgramCaption(std::basic_string_view<CharT> fileName) {
    std::size_t characters = 0;
    std::size_t keepUnits = 0;
    for (std::size_t i = 0; i < fileName.size(); i += detail::unitsOfCharacterAt(fileName, i)) {
        if (characters == kProgramCaptionKeep) keepUnits = i;
        ++characters;
    }
    if (characters <= kProgramCaptionMax) return std::basic_string<CharT>(fileName);
    std::basic_string<CharT> out(fileName.substr(0, keepUnits));
    out += static_cast<CharT>('.');
    out += static_cast<CharT>('.');
    return out;
}

inline std::wstring programCaption(std::wstring_view fileName) {
    return shortenedProgramCaption<wchar_t>(fileName);
}

}  // namespace vela::menu
