// How one value is written after "key=" so that it reads back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace vela {

// White space at both ends removed (the C runtime's wide white-space test).
std::wstring_view trimBlanks(std::wstring_view text);

// The value as the rest of its line gives it. Read as the platform's profile
// functions do (blanks at both ends dropped, one pair of matching outer quotes
// dropped), plus one form of our own for what a line cannot hold:
//   "\~...": backslash escapes \\ \r \n \0 inside; any other backslash stays.
std::wstring decodeIniValue(std::wstring_view raw);

// The shortest of three forms that reads back as `value`: the value itself;
// the value in double quotes (keeps outer blanks and quotes, and the platform's
// profile functions read it the same way); the escaped form (line breaks and
// NUL, which no line can hold).
std::wstring encodeIniValue(std::wstring_view value);

}  // namespace vela
