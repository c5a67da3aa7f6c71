// Types a text into the program in front as Unicode input: any character,
// whatever the keyboard layout, line breaks as Enter.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputPorts.h"
#include "core/InputRecords.h"

namespace vela {

// The longest text typed, in UTF-16 units: a signature or a snippet of code,
// typed in about two seconds. A longer text (a hand-edited settings file) is
// cut to it.
inline constexpr std::size_t kTypedTextLimit = 4096;

// Characters go out in batches, one SendInput call each, with a pause
// between: at this pace the longest text takes under two seconds, programs
// that handle each character's messages one by one keep up, and a stop takes
// effect within one pause.
inline constexpr std::size_t kTypedCharactersPerBatch = 32;
inline constexpr std::uint32_t kTypedBatchPauseMs = 10;

// The longest start of `text` within kTypedTextLimit that does not end
// between the two halves of a surrogate pair.
std::wstring_view clipTypedText(std::wstring_view text);

// The records that type `text`, character by character: each UTF-16 unit a
// down and an up (a character beyond the first plane is its two units, in
// order); "\r\n", "\n" and "\r" each one Enter and a tab the Tab key, as keys
// with their scan codes. Other control characters and surrogates without
// their other half type nothing. The text is taken as it is, not clipped.
std::vector<InputRecord> typedTextRecords(std::wstring_view text, InputPort& input);

// Types the text, clipped to the limit, on the calling thread: batches of
// kTypedCharactersPerBatch characters, kTypedBatchPauseMs apart. A character
// is never split between batches, so nothing is left down between them. Once
// `stop` is set, no further batch goes out.
// The modifiers down as it starts are let go first, in a call of their own,
// and those still down at the end put back (core/ModifierLift.h): the text
// comes out as text, and a key the user let go meanwhile stays up.
// The characters go out through `out`; the modifiers, which are not the
// text's to hold, through `platform`, which also gives the scan codes and
// what is down.
void typeText(std::wstring_view text, InputSendPort& out, InputPort& platform,
              const std::atomic<bool>* stop = nullptr);
inline void typeText(std::wstring_view text, InputPort& input,
                     const std::atomic<bool>* stop = nullptr) {
    typeText(text, input, input, stop);
}

// What a slot's caption shows for a text it types: its start on one line
// (line breaks and tabs as one blank each, blanks at both ends dropped), at
// most `length` characters and an ellipsis where it was cut; kTypeTextCaption
// for a text with nothing to show.
inline constexpr std::size_t kTypedCaptionLength = 40;
inline constexpr std::wstring_view kTypeTextCaption = L"Type Text";
std::wstring typedTextCaption(std::wstring_view text, std::size_t length = kTypedCaptionLength);

}  // namespace vela
