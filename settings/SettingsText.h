// The settings file's bytes and the text they hold.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/AnsiCodePage.h"

namespace vela {

// The forms a settings file comes in.
enum class TextEncoding { Ansi, Utf8, Utf8WithMark, Utf16Le, Utf16Be };

struct DecodedText {
    std::wstring text;  // without the byte-order mark
    TextEncoding encoding = TextEncoding::Ansi;
};

// A byte-order mark names UTF-16LE, UTF-16BE or UTF-8 (the mark is not part
// of the text). Without one, bytes that are valid UTF-8 and not all ASCII are
// UTF-8, as Notepad saves today; anything else is the system's ANSI code
// page, the form the platform's profile functions create. Each form decodes
// so that encoding the text again gives the same bytes.
DecodedText decodeSettingsText(std::span<const std::uint8_t> bytes, AnsiCodePage& ansi);

// The text in `encoding`, with the form's byte-order mark; nullopt when the
// ANSI code page cannot hold one of its characters.
std::optional<std::vector<std::uint8_t>> encodeSettingsText(std::wstring_view text,
                                                            TextEncoding encoding,
                                                            AnsiCodePage& ansi);

// UTF-16LE with a byte-order mark: lossless for any text, and a form the
// platform's profile functions keep reading and writing as UTF-16.
std::vector<std::uint8_t> encodeUtf16LeWithBom(std::wstring_view text);

}  // namespace vela
