#include "app/ports/Win32MacroFolder.h"

#include <algorithm>

#include "core/CaselessName.h"

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
}

std::vector<std::wstring> Win32MacroFolder::scriptNames() {
    std::vector<std::wstring> names;
    collect(folder_, L"", names, 0);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return compareCaseless(a, b) < 0;
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
    changed_ = std::move(changed);
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_) return false;
    thread_.reset(CreateThread(nullptr, 0, watchThread, this, 0, nullptr));
    return static_cast<bool>(thread_);
}

DWORD WINAPI Win32MacroFolder::watchThread(LPVOID context) {
    static_cast<Win32MacroFolder*>(context)->runWatch();
    return 0;
}

namespace {

void closeChangeWatch(HANDLE h) {
    FindCloseChangeNotification(h);
}
using ChangeWatch = Owned<HANDLE, closeChangeWatch>;

ChangeWatch watchFolder(const std::wstring& path, bool subtree, DWORD filter) {
    const HANDLE h = FindFirstChangeNotificationW(path.c_str(), subtree, filter);
    return ChangeWatch(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// A folder being deleted while still open somewhere reads as no folder.
bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// How often the watch looks whether the folder is (still) there, for the
// changes no notification reports: a network share without them, or a
// folder deleted while its notification was armed.
constexpr DWORD kLookMs = 2000;

}  // namespace

void Win32MacroFolder::runWatch() {
    const std::size_t slash = folder_.find_last_of(L'\\');
    const std::wstring parent = slash == std::wstring::npos ? L"." : folder_.substr(0, slash);
    ChangeWatch folder;
    ChangeWatch above;
    // The folder that is there now, never one that was deleted or moved away;
    // true when the watch changed from none to one or back.
    const auto watchTheFolderThereNow = [&] {
        const bool had = static_cast<bool>(folder);
        folder.reset();
        if (isFolder(folder_))
            folder = watchFolder(folder_, TRUE,
                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                     FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
        return had != static_cast<bool>(folder);
    };
    // The folder above reports the folder's own removal, replacement and return.
    const auto watchAbove = [&] {
        if (!above) above = watchFolder(parent, FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
    };
    watchTheFolderThereNow();
    watchAbove();
    for (;;) {
        HANDLE waits[3] = {stop_.get()};
        DWORD count = 1;
        if (folder) waits[count++] = folder.get();
        if (above) waits[count++] = above.get();
        const DWORD woke = WaitForMultipleObjects(count, waits, FALSE, kLookMs);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) return;
        if (woke == WAIT_TIMEOUT) {
            // Gone without a word, or back where nothing could tell.
            const bool gone = folder && !isFolder(folder_);
            if ((gone || !folder) && watchTheFolderThereNow()) changed_();
            watchAbove();
            continue;
        }
        const HANDLE fired = waits[woke - WAIT_OBJECT_0];
        if (fired == above.get() && !FindNextChangeNotification(above.get())) above.reset();
        // Armed again on every change, so a folder deleted, replaced or made
        // again is never watched in its old place.
        watchTheFolderThereNow();
        changed_();
    }
}

}  // namespace vela::win32
