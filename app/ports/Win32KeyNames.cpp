#include "app/ports/Win32KeyNames.h"

#include <windows.h>

#include "core/InputRecords.h"

namespace vela::win32 {

namespace {

constexpr UINT kDeadKeyMark = 0x80000000u;
constexpr int kNameLength = 64;

bool isKeypadKey(std::uint16_t virtualKey) {
    return virtualKey >= VK_NUMPAD0 && virtualKey <= VK_DIVIDE;
}

// X names no keyboard prints: with an underscore ("Control_L"), starting in
// lower case ("odiaeresis"), or the old names of Page Up and Page Down.
bool readsLikeAKeySymbol(const std::wstring& name) {
    return name.find(L'_') != std::wstring::npos || (name[0] >= L'a' && name[0] <= L'z') ||
           name == L"Prior" || name == L"Next";
}

}  // namespace

std::wstring Win32KeyNames::keyName(std::uint16_t virtualKey) {
    // The keypad's digits type characters too, but are named as keypad keys.
    if (!isKeypadKey(virtualKey)) {
        const UINT typed = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) & ~kDeadKeyMark;
        if (typed > L' ' && typed != 0x7F && typed <= 0xFFFF) {
            wchar_t character[2] = {static_cast<wchar_t>(typed), L'\0'};
            CharUpperBuffW(character, 1);
            return character;
        }
    }
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    if (scan == 0) return {};
    LONG key = static_cast<LONG>(scan & 0xFF) << 16;
    if (isExtendedKey(virtualKey)) key |= 1L << 24;
    wchar_t name[kNameLength] = {};
    const int length = GetKeyNameTextW(key, name, kNameLength);
    if (length <= 0) return {};
    std::wstring text(name, static_cast<std::size_t>(length));
    return readsLikeAKeySymbol(text) ? std::wstring() : text;
}

}  // namespace vela::win32
