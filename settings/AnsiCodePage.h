// Decoding of text in the system's ANSI code page, the encoding the platform's
// profile functions give a settings file they create.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vela {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    virtual std::wstring decode(std::span<const std::uint8_t> bytes) = 0;
};

// Windows-1252, the code page of a Western system: what the native tests and
// tools use in place of the system's own.
class Windows1252 final : public AnsiCodePage {
public:
    std::wstring decode(std::span<const std::uint8_t> bytes) override;
};

}  // namespace vela
