// The system's ANSI code page, as the settings file may be written in it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vela {

// The encoding the platform's profile functions give a settings file they
// create.
class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    virtual std::wstring decode(std::span<const std::uint8_t> bytes) = 0;
    // The text in the code page; nullopt when it holds a character the code
    // page has no byte for (nothing is replaced by a look-alike).
    virtual std::optional<std::vector<std::uint8_t>> encode(std::wstring_view text) = 0;
};

}  // namespace vela
