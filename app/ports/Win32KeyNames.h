// KeyNames over the keyboard layout of the calling thread.
#pragma once

#include "core/KeyNames.h"

namespace vela::win32 {

// A key that types a character is named by it, as keyboards print it ("T",
// "Ö" on a German one); any other by the layout's own name for it
// (GetKeyNameTextW: "Strg", "Umschalt", "Nach-rechts"). A name that reads like
// an X key symbol ("Control_L", "odiaeresis", "Prior": what Wine gives, no
// keyboard's print) is no name: Vela's English one is shown instead.
class Win32KeyNames final : public KeyNames {
public:
    std::wstring keyName(std::uint16_t virtualKey) override;
};

}  // namespace vela::win32
