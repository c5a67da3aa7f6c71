#include "app/ports/Win32ShellPort.h"

#include <windows.h>
// (first: shellapi.h needs it)
#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/Handle.h"

namespace vela::win32 {

void Win32ShellPort::openFile(const std::wstring& file) {
    ShellExecuteW(nullptr, L"open", file.c_str(), L"", L"", SW_SHOWNORMAL);
}

namespace {

// The system's own cmd.exe, by its full path: a bare "cmd.exe" would be looked
// for in the current folder first, where anyone may have put one.
std::wstring systemInterpreter() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length > MAX_PATH) return L"C:\\Windows\\System32\\cmd.exe";
    return std::wstring(folder, length) + L"\\cmd.exe";
}

std::wstring commandInterpreter() {
    const DWORD needed = GetEnvironmentVariableW(L"COMSPEC", nullptr, 0);
    if (needed == 0) return systemInterpreter();
    std::wstring value(needed, L'\0');
    const DWORD written = GetEnvironmentVariableW(L"COMSPEC", value.data(), needed);
    if (written == 0 || written >= needed) return systemInterpreter();
    value.resize(written);
    return value;
}

}  // namespace

void Win32ShellPort::runCommandAndWait(const std::wstring& commandLine) {
    const std::wstring interpreter = commandInterpreter();
    std::wstring line = L"\"" + interpreter + L"\" /c " + commandLine;
    std::vector<wchar_t> mutableLine(line.begin(), line.end());
    mutableLine.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(interpreter.c_str(), mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
        return;
    }
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    WaitForSingleObject(process.get(), INFINITE);
}

void Win32PowerPort::requestPowerState(bool suspend) {
    HANDLE rawToken = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) {
        UniqueHandle token(rawToken);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege",
                                  &privileges.Privileges[0].Luid)) {
            AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
        }
    }
    SetSystemPowerState(suspend ? TRUE : FALSE, TRUE);
}

}  // namespace vela::win32
