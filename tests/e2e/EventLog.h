// Line log of the end-to-end helper programs: each line starts with the
// QueryPerformanceCounter value, which under Wine equals Linux's
// CLOCK_MONOTONIC_RAW in 100 ns units, so the test scripts can line up their
// own actions with what the programs saw. Lines are written through at once
// so a script waiting for one sees it without delay.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "win32/Handle.h"

namespace vela::e2e {

class EventLog {
public:
    explicit EventLog(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (file_.get() == INVALID_HANDLE_VALUE) file_.release();
    }

    bool ok() const { return static_cast<bool>(file_); }

    static long long now() {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return t.QuadPart;
    }

    // printf-style; the time stamp and the newline are added.
    __attribute__((format(printf, 2, 3))) void line(const char* format, ...) {
        char text[512];
        const int stamp = std::snprintf(text, sizeof text, "%lld ", now());
        va_list args;
        va_start(args, format);
        const int body = std::vsnprintf(text + stamp, sizeof text - stamp - 1, format, args);
        va_end(args);
        std::size_t length = static_cast<std::size_t>(stamp);
        if (body > 0)
            length +=
                std::min<std::size_t>(static_cast<std::size_t>(body), sizeof text - stamp - 2);
        text[length++] = '\n';
        DWORD written = 0;
        if (file_) WriteFile(file_.get(), text, static_cast<DWORD>(length), &written, nullptr);
    }

private:
    win32::UniqueHandle file_;
};

// The value after `--name` on the command line, or `fallback`.
inline std::wstring argument(int argc, wchar_t** argv, const wchar_t* name,
                             const std::wstring& fallback = {}) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wstring(argv[i]) == name) return argv[i + 1];
    }
    return fallback;
}

// Ends the program after `seconds` whatever the script does, so a test that
// dies half-way leaves nothing running.
inline void armSelfExit(int seconds) {
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000u,
             [](HWND, UINT, UINT_PTR, DWORD) { ExitProcess(3); });
}

}  // namespace vela::e2e
