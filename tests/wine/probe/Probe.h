// VelaProbe.exe, the one helper program of the Wine suite: one verb per way
// the suite looks at or stands in for something (a focused window that logs
// the input it gets, a host of the hook libraries, another program looking at
// Vela's window, the shell and the taskbar, ...).
//
//   VelaProbe.exe VERB [--log FILE] [--exit-after SECONDS] [options]
//   VelaProbe.exe                 (no verb: leaves "<own path>.started" and ends;
//                                  a program for "Run Software" to start)
//
// Every log line starts with the QueryPerformanceCounter value, which under
// Wine equals Linux's CLOCK_MONOTONIC_RAW in 100 ns units, so the suite can
// line up its own actions with what the probe saw. Lines are written through
// at once, so a suite waiting for one sees it without delay.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "win32/Handle.h"

namespace vela::probe {

class EventLog {
public:
    explicit EventLog(const std::wstring& path)
        : file_(path.empty() ? INVALID_HANDLE_VALUE
                             : CreateFileW(path.c_str(), GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
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
        char text[1024];
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

// The command line after the verb.
class Args {
public:
    explicit Args(std::vector<std::wstring> words) : words_(std::move(words)) {}

    // The value after `--name`, or `fallback`.
    std::wstring value(const wchar_t* name, const std::wstring& fallback = {}) const {
        for (std::size_t i = 0; i + 1 < words_.size(); ++i)
            if (words_[i] == name) return words_[i + 1];
        return fallback;
    }
    int number(const wchar_t* name, int fallback) const {
        const std::wstring v = value(name);
        return v.empty() ? fallback : _wtoi(v.c_str());
    }
    bool flag(const wchar_t* name) const {
        return std::find(words_.begin(), words_.end(), name) != words_.end();
    }

private:
    std::vector<std::wstring> words_;
};

// Ends the program after `seconds` whatever the suite does, so a suite that
// dies half-way leaves nothing running.
inline void armSelfExit(int seconds) {
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000u,
             [](HWND, UINT, UINT_PTR, DWORD) { ExitProcess(3); });
}

// UTF-8 for the log.
std::string utf8(const std::wstring& text);

// The verbs. Each returns the process exit code.
int receive(HINSTANCE module, const Args& args, EventLog& log);
int host(HINSTANCE module, const Args& args, EventLog& log);
int velaWindow(const std::wstring& verb, const Args& args, EventLog& log);
int shell(const std::wstring& verb, const Args& args, EventLog& log);
int menuHost(HINSTANCE module, const Args& args, EventLog& log);
int controls(HINSTANCE module, const Args& args, EventLog& log);
int remap(HINSTANCE module, const Args& args, EventLog& log);

}  // namespace vela::probe
