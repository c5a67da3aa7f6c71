#include "macro/MacroScriptParser.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace vela {

namespace {

constexpr std::uint8_t kCtrlZ = 26;

struct Command {
    std::string_view word;
    char opcode;
    bool takesNumber;
    bool rightButton;
};

constexpr std::array<Command, 11> kCommands{{
    {"LeftDown", opcode::LeftDown, false, false},
    {"LeftUp", opcode::LeftUp, false, false},
    {"RightDown", opcode::RightDown, false, true},
    {"RightUp", opcode::RightUp, false, true},
    {"MiddleDown", opcode::MiddleDown, false, false},
    {"MiddleUp", opcode::MiddleUp, false, false},
    {"Delay", opcode::Delay, true, false},
    {"MoveL", opcode::MoveL, true, false},
    {"MoveR", opcode::MoveR, true, false},
    {"KeyDown", opcode::KeyDown, true, false},
    {"KeyUp", opcode::KeyUp, true, false},
}};

// One byte is one character: 128..255 stand for U+0080..U+00FF.
std::wstring widen(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes) out.push_back(static_cast<wchar_t>(b));
    return out;
}

bool startsWith(std::span<const std::uint8_t> line, std::string_view word) {
    return line.size() >= word.size() &&
           std::equal(word.begin(), word.end(), line.begin(),
                      [](char w, std::uint8_t b) { return static_cast<std::uint8_t>(w) == b; });
}

void addStep(MacroScript& script, std::span<const std::uint8_t> line, bool skipRightButton) {
    for (const Command& c : kCommands) {
        if (!startsWith(line, c.word)) continue;
        if (c.rightButton && skipRightButton) return;
        MacroStep step{c.opcode, {}};
        if (c.takesNumber) {
            const auto blank = std::find(line.begin(), line.end(), std::uint8_t{' '});
            step.argument = widen(blank == line.end() ? line : line.subspan(blank - line.begin()));
        }
        script.push_back(std::move(step));
        return;  // no command word is a prefix of another
    }
}

// UTF-16 text as one byte per character, which is all the reader needs:
// commands and numbers are ASCII; a character beyond one byte (only ever in
// a line the reader skips) becomes "?".
std::vector<std::uint8_t> narrowUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned unit =
            bigEndian ? (bytes[i] << 8) | bytes[i + 1] : bytes[i] | (bytes[i + 1] << 8);
        out.push_back(unit < 0x100 ? static_cast<std::uint8_t>(unit) : std::uint8_t{'?'});
    }
    return out;
}

}  // namespace

MacroScript parseMacroScript(std::span<const std::uint8_t> bytes, bool skipRightButton) {
    // Scripts as editors save them: a UTF-8 mark is no part of the first
    // line, and UTF-16 with its mark is read character by character.
    std::vector<std::uint8_t> narrowed;
    if (bytes.size() >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        narrowed = narrowUtf16(bytes.subspan(2), bytes[0] == 0xFE);
        bytes = narrowed;
    } else if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        bytes = bytes.subspan(3);
    }
    // Text mode sees nothing past a Ctrl+Z.
    bytes = bytes.first(
        static_cast<std::size_t>(std::find(bytes.begin(), bytes.end(), kCtrlZ) - bytes.begin()));

    MacroScript script;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto rest = bytes.subspan(pos);
        const auto lf = std::find(rest.begin(), rest.end(), std::uint8_t{'\n'});
        const std::size_t length = static_cast<std::size_t>(lf - rest.begin());
        auto line = rest.first(length);
        pos += length + 1;
        if (lf != rest.end() && !line.empty() && line.back() == '\r') line = line.first(length - 1);

        // A line is a C string to the reader: it ends at its first 0, and an
        // empty string there means the reading is over.
        const auto nul = std::find(line.begin(), line.end(), std::uint8_t{0});
        if (nul == line.begin() && nul != line.end()) break;
        line = line.first(static_cast<std::size_t>(nul - line.begin()));
        addStep(script, line, skipRightButton);
    }
    return script;
}

}  // namespace vela
