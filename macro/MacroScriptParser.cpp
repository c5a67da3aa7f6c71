#include "macro/MacroScriptParser.h"

#include <algorithm>
#include <array>
#include <string_view>

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

}  // namespace

MacroScript parseMacroScript(std::span<const std::uint8_t> bytes, bool skipRightButton) {
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
