#include "app/ports/Win32MacroFolder.h"

#include <algorithm>

namespace vela::win32 {

namespace {

// Files under `folder` + `relative`, as paths relative to `folder`.
void collect(const std::wstring& folder, const std::wstring& relative,
             std::vector<std::wstring>& out, int depth) {
    if (depth > 8) return;  // a junction loop must not run forever
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + L"\\" + relative + L"*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            collect(folder, relative + name + L"\\", out, depth + 1);
        } else {
            out.push_back(relative + name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

Win32MacroFolder::~Win32MacroFolder() {
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), 1000);
    }
    if (notification_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(notification_);
}

std::vector<std::wstring> Win32MacroFolder::scriptNames() {
    std::vector<std::wstring> names;
    collect(folder_, L"", names, 0);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return names;
}

void Win32MacroFolder::openFolder() {
    files_.createFolder(folder_);
    shell_.openFile(folder_);
}

bool Win32MacroFolder::watch(std::function<void()> changed) {
    if (thread_) return true;
    files_.createFolder(folder_);
    notification_ =
        FindFirstChangeNotificationW(folder_.c_str(), TRUE,
                                     FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                         FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (notification_ == INVALID_HANDLE_VALUE) return false;
    changed_ = std::move(changed);
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_) return false;
    thread_.reset(CreateThread(nullptr, 0, watchThread, this, 0, nullptr));
    return static_cast<bool>(thread_);
}

DWORD WINAPI Win32MacroFolder::watchThread(LPVOID context) {
    auto* self = static_cast<Win32MacroFolder*>(context);
    const HANDLE waits[2] = {self->stop_.get(), self->notification_};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        self->changed_();
        if (!FindNextChangeNotification(self->notification_)) break;
    }
    return 0;
}

}  // namespace vela::win32
