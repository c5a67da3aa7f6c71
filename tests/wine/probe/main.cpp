#include <windows.h>
// (first: shellapi.h needs it)
#include <shellapi.h>

#include <memory>

#include "tests/wine/probe/Probe.h"
#include "win32/ModulePath.h"

namespace vela::probe {

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

namespace {

// Started without a verb, as "Run Software" starts a program: leaves
// "<own path>.started" holding the command line, then ends.
int announceStart() {
    const std::wstring marker = win32::modulePath() + L".started";
    win32::UniqueHandle file(CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return 1;
    }
    const std::wstring line = GetCommandLineW();
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written,
              nullptr);
    return 0;
}

}  // namespace

}  // namespace vela::probe

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int) {
    using namespace vela::probe;
    int argc = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &argc),
                                                       &LocalFree);
    if (argc < 2) return announceStart();
    const std::wstring verb = argv.get()[1];
    std::vector<std::wstring> words;
    for (int i = 2; i < argc; ++i) words.emplace_back(argv.get()[i]);
    const Args args(std::move(words));

    EventLog log(args.value(L"--log"));
    if (!log.ok()) return 2;
    armSelfExit(args.number(L"--exit-after", 120));

    int status = 2;
    if (verb == L"receive") {
        status = receive(module, args, log);
    } else if (verb == L"host") {
        status = host(module, args, log);
    } else if (verb == L"texts" || verb == L"count" || verb == L"watch" || verb == L"places" ||
               verb == L"read" || verb == L"keystate" || verb == L"doubleclick") {
        status = velaWindow(verb, args, log);
    } else if (verb == L"post" || verb == L"timer" || verb == L"icon" ||
               verb == L"taskbar-restart" || verb == L"run-autostart" || verb == L"balloon" ||
               verb == L"hotkey") {
        status = shell(verb, args, log);
    } else if (verb == L"menu-host") {
        status = menuHost(module, args, log);
    } else if (verb == L"controls") {
        status = controls(module, args, log);
    } else if (verb == L"remap") {
        status = remap(module, args, log);
    } else {
        log.line("unknown verb %s", utf8(verb).c_str());
        return 2;
    }
    log.line("done %d", status);
    return status;
}
