// An INI text held line by line, edited the way the platform's profile
// functions edit a file: only the lines an edit names change, every other line
// keeps its exact text and line ending.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vela {

class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::wstring_view text);

    // The whole text again; equal to the parsed text when nothing was edited.
    std::wstring text() const;

    // The rest of the line after the first "=" of `key` in `section`, as it
    // stands (see decodeIniValue). The first section and the first key of each
    // name count; names compare without regard to case and outer blanks.
    std::optional<std::wstring_view> rawValue(std::wstring_view section,
                                              std::wstring_view key) const;

    // The names of the keys of the first section of that name, in the order
    // they stand, each once (as its first line spells it, outer blanks off).
    std::vector<std::wstring> keyNames(std::wstring_view section) const;

    // The names of the sections, in the order they stand, as their headers
    // spell them (a name that stands twice, twice).
    std::vector<std::wstring> sectionNames() const;

    // Removes the first section of that name: its header and every line up to
    // the next header.
    void deleteSection(std::wstring_view section);

    // Removes the lines of every key of the first section of that name that
    // `matches`; the section goes too when nothing but blank lines is left.
    void deleteKeys(std::wstring_view section,
                    const std::function<bool(std::wstring_view key)>& matches);

    // Sets `key` to the written form `raw`. An existing key line is replaced in
    // place; a new key follows the section's last non-blank line; a new
    // section is appended at the end. New lines end in CR LF, or in LF or CR
    // alone in a file whose lines all end so.
    void writeValue(std::wstring_view section, std::wstring_view key, std::wstring_view raw);

private:
    struct Line {
        std::wstring text;
        std::wstring ending;  // "\r\n", "\n", "\r", or empty for a last line without one
    };

    // [begin, end) of the first section of that name; begin is its header.
    struct Range {
        std::size_t begin;
        std::size_t end;
    };
    std::optional<Range> findSection(std::wstring_view section) const;
    std::optional<std::size_t> findKey(const Range& range, std::wstring_view key) const;
    void insertLine(std::size_t at, std::wstring text);

    std::vector<Line> lines_;
    std::wstring newLine_ = L"\r\n";
};

}  // namespace vela
