#include "core/KeyNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vela {

namespace {

struct NamedKey {
    ShortcutKey key;
    std::wstring_view name;
};

// Every key with a name of its own but the runs below (digits, letters, the
// keypad digits, F1..F24), as an English Windows keyboard names them.
constexpr auto kNamedKeys = std::to_array<NamedKey>({
    {0x01, L"Left Button"},
    {0x02, L"Right Button"},
    {0x03, L"Break"},
    {0x04, L"Middle Button"},
    {0x05, L"Back Button"},
    {0x06, L"Forward Button"},
    {0x08, L"Backspace"},
    {0x09, L"Tab"},
    {0x0C, L"Clear"},
    {0x0D, L"Enter"},
    {0x10, L"Shift"},
    {0x11, L"Ctrl"},
    {0x12, L"Alt"},
    {0x13, L"Pause"},
    {0x14, L"Caps Lock"},
    {0x15, L"Kana"},
    {0x16, L"IME On"},
    {0x17, L"Junja"},
    {0x18, L"Final"},
    {0x19, L"Kanji"},
    {0x1A, L"IME Off"},
    {0x1B, L"Esc"},
    {0x1C, L"Convert"},
    {0x1D, L"Nonconvert"},
    {0x1E, L"Accept"},
    {0x1F, L"Mode Change"},
    {0x20, L"Space"},
    {0x21, L"Page Up"},
    {0x22, L"Page Down"},
    {0x23, L"End"},
    {0x24, L"Home"},
    {0x25, L"Left"},
    {0x26, L"Up"},
    {0x27, L"Right"},
    {0x28, L"Down"},
    {0x29, L"Select"},
    {0x2A, L"Print"},
    {0x2B, L"Execute"},
    {0x2C, L"Print Screen"},
    {0x2D, L"Insert"},
    {0x2E, L"Delete"},
    {0x2F, L"Help"},
    {0x5B, L"Win"},
    {0x5C, L"Right Win"},
    {0x5D, L"Menu"},
    {0x5F, L"Sleep"},
    {0x6A, L"Num *"},
    {0x6B, L"Num +"},
    {0x6C, L"Separator"},
    {0x6D, L"Num -"},
    {0x6E, L"Num ."},
    {0x6F, L"Num /"},
    {0x90, L"Num Lock"},
    {0x91, L"Scroll Lock"},
    {0xA0, L"Shift"},
    {0xA1, L"Right Shift"},
    {0xA2, L"Ctrl"},
    {0xA3, L"Right Ctrl"},
    {0xA4, L"Alt"},
    {0xA5, L"Right Alt"},
    {0xA6, L"Browser Back"},
    {0xA7, L"Browser Forward"},
    {0xA8, L"Browser Refresh"},
    {0xA9, L"Browser Stop"},
    {0xAA, L"Browser Search"},
    {0xAB, L"Browser Favorites"},
    {0xAC, L"Browser Home"},
    {0xAD, L"Volume Mute"},
    {0xAE, L"Volume Down"},
    {0xAF, L"Volume Up"},
    {0xB0, L"Next Track"},
    {0xB1, L"Previous Track"},
    {0xB2, L"Stop Media"},
    {0xB3, L"Play/Pause"},
    {0xB4, L"Mail"},
    {0xB5, L"Select Media"},
    {0xB6, L"Launch App 1"},
    {0xB7, L"Launch App 2"},
    {0xBA, L";"},
    {0xBB, L"="},
    {0xBC, L","},
    {0xBD, L"-"},
    {0xBE, L"."},
    {0xBF, L"/"},
    {0xC0, L"`"},
    {0xDB, L"["},
    {0xDC, L"\\"},
    {0xDD, L"]"},
    {0xDE, L"'"},
    {0xDF, L"OEM 8"},
    {0xE2, L"OEM 102"},
    {0xE5, L"IME Process"},
    {0xF6, L"Attn"},
    {0xF7, L"CrSel"},
    {0xF8, L"ExSel"},
    {0xF9, L"Erase EOF"},
    {0xFA, L"Play"},
    {0xFB, L"Zoom"},
    {0xFD, L"PA1"},
    {0xFE, L"OEM Clear"},
    {shortcutkey::WheelUp, L"Wheel Up"},
    {shortcutkey::WheelDown, L"Wheel Down"},
    {shortcutkey::WheelLeft, L"Wheel Left"},
    {shortcutkey::WheelRight, L"Wheel Right"},
});

// The keys the layout is not asked about.
constexpr bool namedByVela(ShortcutKey key) {
    return key == 0x5B || key == 0x5C || isMouseButtonKey(key) || isWheelKey(key);
}

std::wstring keyName(ShortcutKey key, KeyNames& names) {
    if (!namedByVela(key)) {
        std::wstring layoutName = names.keyName(key);
        if (!layoutName.empty()) return layoutName;
    }
    return englishKeyName(key);
}

}  // namespace

std::wstring englishKeyName(ShortcutKey key) {
    if ((key >= L'0' && key <= L'9') || (key >= L'A' && key <= L'Z')) {
        return std::wstring(1, static_cast<wchar_t>(key));
    }
    if (key >= 0x60 && key <= 0x69) return L"Num " + std::to_wstring(key - 0x60);
    if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x70 + 1);
    const auto named = std::find_if(kNamedKeys.begin(), kNamedKeys.end(),
                                    [key](const NamedKey& n) { return n.key == key; });
    if (named != kNamedKeys.end()) return std::wstring(named->name);
    return L"Key " + std::to_wstring(key);
}

std::wstring shortcutText(const Shortcut& shortcut, KeyNames& names) {
    std::wstring text;
    const auto append = [&](ShortcutKey key) {
        if (!text.empty()) text.push_back(L'+');
        text += keyName(key, names);
    };
    for (int i = 0; i < kModifierCount; ++i) {
        if (shortcut.modifiers() & (1u << i)) append(kModifierOrder[static_cast<std::size_t>(i)]);
    }
    if (shortcut.key() != shortcutkey::None) append(shortcut.key());
    return text;
}

}  // namespace vela
