#include "win32/ModulePath.h"

#include <vector>

namespace vela::win32 {

std::wstring modulePath(HMODULE module) {
    // Paths can be longer than MAX_PATH; a full buffer means the path was cut,
    // so grow it until the whole path fits (the system allows 32767 characters).
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        if (buffer.size() >= 65536) return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vela::win32
