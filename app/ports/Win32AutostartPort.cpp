#include "app/ports/Win32AutostartPort.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace vela::win32 {

namespace {

class RegKey {
public:
    RegKey(const wchar_t* path, REGSAM access, bool create) {
        const LONG status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, access,
                                                     nullptr, &key_, nullptr)
                                   : RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RegKey() {
        if (key_) RegCloseKey(key_);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

bool setString(HKEY key, const wchar_t* name, const std::wstring& value) {
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          bytes) == ERROR_SUCCESS;
}

}  // namespace

std::optional<int> Win32AutostartPort::readBootValue() {
    RegKey key(kProfileKey, KEY_QUERY_VALUE, false);
    if (!key) return std::nullopt;
    DWORD type = 0;
    wchar_t text[64] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), kBootValueName, nullptr, &type, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, text, sizeof(number));
        return static_cast<int>(number);
    }
    if (type == REG_SZ) return static_cast<int>(std::wcstol(text, nullptr, 10));
    return std::nullopt;
}

void Win32AutostartPort::writeBootValue(int value) {
    RegKey key(kProfileKey, KEY_SET_VALUE, true);
    if (key) setString(key.get(), kBootValueName, std::to_wstring(value));
}

bool Win32AutostartPort::setRunValue(const std::wstring& command) {
    RegKey key(kRunKey, KEY_SET_VALUE, true);
    return key && setString(key.get(), kRunValueName, command);
}

bool Win32AutostartPort::deleteRunValue() {
    RegKey key(kRunKey, KEY_SET_VALUE, false);
    if (!key) return false;
    const LONG status = RegDeleteValueW(key.get(), kRunValueName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace vela::win32
