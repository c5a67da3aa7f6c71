// Names compared as the file system compares file names: ordinally, each
// UTF-16 unit taken to its capital first, whatever the user's language.
// Program names, profile sections and script names all compare this one way.
#pragma once

#include <string_view>

namespace vela {

// Less than, equal to or greater than zero as `a` sorts before, with or
// after `b`. On Windows the system's ordinal compare that ignores case; the
// portable build carries the same mapping for the letters of the Latin,
// Greek, Cyrillic, Armenian and Georgian scripts and their neighbours.
int compareCaseless(std::wstring_view a, std::wstring_view b);

inline bool sameCaseless(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && compareCaseless(a, b) == 0;
}

// A name without the blanks and tabs at its ends, as the settings file reads
// section names back.
inline std::wstring_view withoutEndBlanks(std::wstring_view name) {
    const std::size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return name.substr(first, name.find_last_not_of(L" \t") - first + 1);
}

}  // namespace vela
