// A slot's keys in the settings form: one row per key, read and written by
// the nine sections, the profiles' and layers' sections (prefixed with the
// slot's name) and the profile files made to share them.
#pragma once

#include <string>
#include <string_view>

#include "core/Assignment.h"
#include "settings/IniDocument.h"

namespace vela {

// The keys of the caption and of the note.
inline constexpr std::wstring_view kCaptionKey = L"0";
inline constexpr std::wstring_view kDescriptionKey = L"8";

// Whether `key` is one of a slot's keys ("0", "Keys", "Hold"), whatever its
// case.
bool isSlotFieldKey(std::wstring_view key);

// Whether `value` (as it stands in the file) reads as what the slot's key
// `key` holds: a number where a number belongs, a chord (or none) where a
// chord does.
// The settings file forgives a value that does not; a profile file someone
// hands over is refused for one.
bool fieldReads(std::wstring_view key, std::wstring_view value);

// A slot's fields from the keys named `prefix` + the key ("0", or "X1.0" in
// a profile's section); a missing key reads as empty.
ButtonAssignment readFields(const IniDocument& doc, std::wstring_view section,
                            std::wstring_view prefix);

// Writes the slot's keys. The keys the slot's function does not spell keep
// what `before` (the file as it was) held there, as Vela would write it; a
// key it did not hold gets the default.
void writeFields(IniDocument& doc, const IniDocument& before, std::wstring_view section,
                 std::wstring_view prefix, const ButtonAssignment& a);

}  // namespace vela
