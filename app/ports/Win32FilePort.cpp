#include "app/ports/Win32FilePort.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "win32/Handle.h"

namespace vela::win32 {

namespace {

// CreateFileW reports failure with INVALID_HANDLE_VALUE, the owner with null.
UniqueHandle ownFile(HANDLE h) {
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

constexpr DWORD kChunk = 1u << 20;

}  // namespace

std::optional<std::vector<std::uint8_t>> Win32FilePort::readAll(const std::wstring& path) {
    const UniqueHandle file = ownFile(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxReadBytes) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32FilePort::exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<FileStamp> Win32FilePort::stamp(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    const auto wide = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    return FileStamp{wide(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                     wide(data.nFileSizeHigh, data.nFileSizeLow)};
}

std::optional<std::wstring> Win32FilePort::createTempBeside(const std::wstring& target) {
    const std::size_t slash = target.find_last_of(L"\\/");
    std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash);
    if (folder.empty()) folder = L"\\";  // "\QmSetting.ini": the root of the drive
    wchar_t name[MAX_PATH + 1] = {};
    if (folder.size() > MAX_PATH - 14 || GetTempFileNameW(folder.c_str(), L"vel", 0, name) == 0) {
        return std::nullopt;
    }
    // Wine hands out a name even when the folder refused the file: only a
    // file that is there counts.
    if (GetFileAttributesW(name) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return std::wstring(name);
}

bool Win32FilePort::writeAndFlush(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    const UniqueHandle file =
        ownFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
        DWORD wrote = 0;
        if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
            return false;
        }
        done += wrote;
    }
    return FlushFileBuffers(file.get()) != FALSE;
}

bool Win32FilePort::moveOver(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void Win32FilePort::removeFile(const std::wstring& path) {
    DeleteFileW(path.c_str());
}

namespace {

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace

std::vector<std::wstring> Win32FilePort::tempFilesBeside(const std::wstring& target) {
    const std::wstring folder = folderOf(target);
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\vel*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found.push_back(folder + L"\\" + entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

bool Win32FilePort::createFolder(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring parent = folderOf(path);
    if (parent != path && parent != L"." && parent.size() > 3) createFolder(parent);
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::wstring Win32AnsiCodePage::decode(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return {};
    std::wstring out;
    std::size_t done = 0;
    // In pieces that fit an int; a piece ends after a line feed where it can,
    // so that no double-byte character is cut in two.
    while (done < bytes.size()) {
        std::size_t take = std::min<std::size_t>(bytes.size() - done, 1u << 28);
        if (done + take < bytes.size()) {
            const auto piece = bytes.subspan(done, take);
            const auto lf = std::find(piece.rbegin(), piece.rend(), std::uint8_t{'\n'});
            if (lf != piece.rend()) take = static_cast<std::size_t>(piece.rend() - lf);
        }
        const auto* src = reinterpret_cast<const char*>(bytes.data() + done);
        const int length = static_cast<int>(take);
        const int needed = MultiByteToWideChar(CP_ACP, 0, src, length, nullptr, 0);
        if (needed > 0) {
            const std::size_t at = out.size();
            out.resize(at + static_cast<std::size_t>(needed));
            MultiByteToWideChar(CP_ACP, 0, src, length, out.data() + at, needed);
        }
        done += take;
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> Win32AnsiCodePage::encode(std::wstring_view text) {
    if (text.empty()) return std::vector<std::uint8_t>();
    if (text.size() > (1u << 28)) return std::nullopt;  // far beyond any settings file
    const auto* src = text.data();
    const int length = static_cast<int>(text.size());
    // A UTF-8 system code page holds every character and takes no default-
    // character question.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int needed = WideCharToMultiByte(CP_ACP, flags, src, length, nullptr, 0, nullptr,
                                           utf8 ? nullptr : &usedDefault);
    if (needed <= 0 || usedDefault) return std::nullopt;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(needed));
    WideCharToMultiByte(CP_ACP, flags, src, length, reinterpret_cast<char*>(out.data()), needed,
                        nullptr, utf8 ? nullptr : &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}

}  // namespace vela::win32
