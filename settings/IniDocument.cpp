#include "settings/IniDocument.h"

#include <algorithm>

#include "core/CaselessName.h"
#include "settings/IniValue.h"

namespace vela {

namespace {

// Section and key names compare as the platform's profile functions compare
// them: outer blanks aside, without regard to case in any script.
bool sameName(std::wstring_view a, std::wstring_view b) {
    return sameCaseless(trimBlanks(a), trimBlanks(b));
}

// The name of a section header line, or nullopt for any other line. As the
// platform reads it, the name runs to the last "]" of the line.
std::optional<std::wstring_view> headerName(std::wstring_view line) {
    const std::wstring_view t = trimBlanks(line);
    if (t.empty() || t.front() != L'[') return std::nullopt;
    const std::wstring_view inner = t.substr(1);
    return inner.substr(0, inner.rfind(L']'));
}

bool isBlankLine(std::wstring_view line) {
    return trimBlanks(line).empty();
}

}  // namespace

IniDocument::IniDocument(std::wstring_view text) {
    // A line ends at CR LF, LF or a CR alone, whichever comes: files from old
    // Macs and hand edits mix them.
    newLine_.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring_view::npos) {
            lines_.push_back({std::wstring(text.substr(pos)), {}});
            break;
        }
        const std::size_t next =
            text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? end + 2
                                                                                  : end + 1;
        lines_.push_back({std::wstring(text.substr(pos, end - pos)),
                          std::wstring(text.substr(end, next - end))});
        pos = next;
    }
    // New lines end in CR LF, as the platform writes them, unless the file
    // has none and ends its lines in LF or CR alone only.
    bool lineFeed = false;
    bool carriageReturn = false;
    for (const Line& l : lines_) {
        if (l.ending == L"\r\n") {
            newLine_ = L"\r\n";
            return;
        }
        lineFeed = lineFeed || l.ending == L"\n";
        carriageReturn = carriageReturn || l.ending == L"\r";
    }
    newLine_ = lineFeed ? L"\n" : carriageReturn ? L"\r" : L"\r\n";
}

std::wstring IniDocument::text() const {
    std::wstring out;
    std::size_t size = 0;
    for (const Line& l : lines_) size += l.text.size() + l.ending.size();
    out.reserve(size);
    for (const Line& l : lines_) {
        out += l.text;
        out += l.ending;
    }
    return out;
}

std::optional<IniDocument::Range> IniDocument::findSection(std::wstring_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = headerName(lines_[i].text);
        if (!name || !sameName(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !headerName(lines_[end].text)) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const Range& range, std::wstring_view key) const {
    for (std::size_t i = range.begin + 1; i < range.end; ++i) {
        const std::wstring_view line = lines_[i].text;
        const std::size_t eq = line.find(L'=');
        if (eq != std::wstring_view::npos && sameName(line.substr(0, eq), key)) return i;
    }
    return std::nullopt;
}

std::optional<std::wstring_view> IniDocument::rawValue(std::wstring_view section,
                                                       std::wstring_view key) const {
    const auto range = findSection(section);
    if (!range) return std::nullopt;
    const auto at = findKey(*range, key);
    if (!at) return std::nullopt;
    const std::wstring_view line = lines_[*at].text;
    return line.substr(line.find(L'=') + 1);
}

std::vector<std::wstring> IniDocument::sectionNames() const {
    std::vector<std::wstring> names;
    for (const Line& line : lines_)
        if (const auto name = headerName(line.text)) names.emplace_back(*name);
    return names;
}

void IniDocument::deleteSection(std::wstring_view section) {
    const auto range = findSection(section);
    if (!range) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->begin),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
}

std::vector<std::wstring> IniDocument::keyNames(std::wstring_view section) const {
    std::vector<std::wstring> names;
    const auto range = findSection(section);
    if (!range) return names;
    for (std::size_t i = range->begin + 1; i < range->end; ++i) {
        const std::wstring_view line = lines_[i].text;
        const std::size_t eq = line.find(L'=');
        if (eq == std::wstring_view::npos) continue;
        const std::wstring_view name = trimBlanks(line.substr(0, eq));
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::wstring& n) { return sameName(n, name); }))
            names.emplace_back(name);
    }
    return names;
}

void IniDocument::deleteKeys(std::wstring_view section,
                             const std::function<bool(std::wstring_view key)>& matches) {
    const auto range = findSection(section);
    if (!range) return;
    const auto header = lines_.begin() + static_cast<std::ptrdiff_t>(range->begin);
    const auto end = lines_.begin() + static_cast<std::ptrdiff_t>(range->end);
    const auto kept = std::remove_if(header + 1, end, [&](const Line& l) {
        const std::size_t eq = l.text.find(L'=');
        return eq != std::wstring::npos &&
               matches(trimBlanks(std::wstring_view(l.text).substr(0, eq)));
    });
    const bool somethingLeft =
        std::any_of(header + 1, kept, [](const Line& l) { return !isBlankLine(l.text); });
    lines_.erase(somethingLeft ? kept : header, end);
}

void IniDocument::insertLine(std::size_t at, std::wstring text) {
    // The line before a new one must end, or the two would run together.
    if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = newLine_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), newLine_});
}

void IniDocument::writeValue(std::wstring_view section, std::wstring_view key,
                             std::wstring_view raw) {
    std::wstring line(key);
    line += L'=';
    line += raw;

    const auto range = findSection(section);
    if (!range) {
        insertLine(lines_.size(), L"[" + std::wstring(section) + L"]");
        insertLine(lines_.size(), std::move(line));
        return;
    }
    if (const auto at = findKey(*range, key)) {
        lines_[*at].text = std::move(line);
        return;
    }
    std::size_t after = range->end;
    while (after > range->begin + 1 && isBlankLine(lines_[after - 1].text)) --after;
    insertLine(after, std::move(line));
}

}  // namespace vela
