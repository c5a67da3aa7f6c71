// The Western code page, for the native tests and tools that have no system
// code page to ask.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "settings/AnsiCodePage.h"

namespace vela {

// Windows-1252, the code page of a Western system: what the native tests and
// tools use in place of the system's own.
class Windows1252 final : public AnsiCodePage {
public:
    std::wstring decode(std::span<const std::uint8_t> bytes) override;
    std::optional<std::vector<std::uint8_t>> encode(std::wstring_view text) override;
};

}  // namespace vela
