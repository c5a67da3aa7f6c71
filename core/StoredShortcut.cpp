#include "core/StoredShortcut.h"

#include <algorithm>
#include <array>

namespace vela {

namespace {

struct WheelWord {
    ShortcutKey key;
    std::wstring_view word;
};
constexpr std::array<WheelWord, 4> kWheelWords{{
    {shortcutkey::WheelUp, L"WheelUp"},
    {shortcutkey::WheelDown, L"WheelDown"},
    {shortcutkey::WheelLeft, L"WheelLeft"},
    {shortcutkey::WheelRight, L"WheelRight"},
}};

constexpr wchar_t kSeparator = L'+';
constexpr std::size_t kMaxDigits = 3;

wchar_t asciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool sameWord(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return asciiLower(x) == asciiLower(y); });
}

std::wstring_view trimSpaces(std::wstring_view s) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The key one part names; nullopt for anything else.
std::optional<ShortcutKey> keyOfPart(std::wstring_view part) {
    const bool digits =
        !part.empty() && part.size() <= kMaxDigits &&
        std::all_of(part.begin(), part.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    if (digits) {
        ShortcutKey value = 0;
        for (wchar_t c : part) value = static_cast<ShortcutKey>(value * 10 + (c - L'0'));
        if (value == shortcutkey::None || value > shortcutkey::LastVirtualKey) return std::nullopt;
        return value;
    }
    for (const WheelWord& w : kWheelWords) {
        if (sameWord(part, w.word)) return w.key;
    }
    return std::nullopt;
}

void appendKey(std::wstring& out, ShortcutKey key) {
    if (!out.empty()) out.push_back(kSeparator);
    for (const WheelWord& w : kWheelWords) {
        if (w.key == key) {
            out += w.word;
            return;
        }
    }
    out += std::to_wstring(key);
}

}  // namespace

std::wstring storedShortcut(const Shortcut& shortcut) {
    std::wstring out;
    for (int i = 0; i < kModifierCount; ++i) {
        if (shortcut.modifiers() & (1u << i)) {
            appendKey(out, kModifierOrder[static_cast<std::size_t>(i)]);
        }
    }
    if (shortcut.key() != shortcutkey::None) appendKey(out, shortcut.key());
    return out;
}

std::optional<Shortcut> parseStoredShortcut(std::wstring_view text) {
    ModifierSet modifiers = 0;
    std::optional<ShortcutKey> key;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(text.find(kSeparator, start), text.size());
        if (key) return std::nullopt;  // something follows the key
        const std::optional<ShortcutKey> part =
            keyOfPart(trimSpaces(text.substr(start, end - start)));
        if (!part) return std::nullopt;
        if (const ModifierSet bit = modifierBit(*part)) {
            if (modifiers & bit) return std::nullopt;
            modifiers |= bit;
        } else {
            key = part;
        }
        if (end == text.size()) break;
        start = end + 1;
    }
    return Shortcut(modifiers, key.value_or(shortcutkey::None));
}

}  // namespace vela
