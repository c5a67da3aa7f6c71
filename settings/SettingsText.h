// The settings file's bytes and the text they hold.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Ports.h"

namespace vela {

// UTF-16LE and UTF-8 files are known by their byte-order mark (which is not
// part of the text); anything else is the system's ANSI code page, the form
// the platform's profile functions create.
std::wstring decodeSettingsText(std::span<const std::uint8_t> bytes, AnsiCodePage& ansi);

// UTF-16LE with a byte-order mark: lossless for any text, and a form the
// platform's profile functions keep reading and writing as UTF-16.
std::vector<std::uint8_t> encodeUtf16LeWithBom(std::wstring_view text);

}  // namespace vela
