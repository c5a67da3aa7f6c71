// AutostartPort over the registry: the application profile's "BootValue" and
// the current user's Run key.
#pragma once

#include "core/Autostart.h"

namespace vela::win32 {

// The per-user application profile lives under this key; "BootValue" is in
// its "Kestrel" section.
inline constexpr wchar_t kProfileKey[] = L"Software\\Kestrel\\Vela\\Kestrel";
inline constexpr wchar_t kBootValueName[] = L"BootValue";
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Kestrel";

class Win32AutostartPort final : public AutostartPort {
public:
    std::optional<int> readBootValue() override;
    void writeBootValue(int value) override;
    bool setRunValue(const std::wstring& command) override;
    bool deleteRunValue() override;
};

}  // namespace vela::win32
