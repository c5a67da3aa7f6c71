// Files as the settings and the macro scripts read and replace them: both
// floors use it, so it sits below them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vela {

// When a file was last written and how long it is: what tells that it changed
// since it was read, where no change notification says so.
struct FileStamp {
    std::uint64_t lastWrite = 0;  // the platform's own time units
    std::uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// The steps out of which a file is read or safely replaced. Paths are the
// platform's (backslashes on Windows). Replacing a file goes through
// replaceFile() in settings/, which orders these steps so that a crash at any
// point leaves the old or the new file, never a mix.
class FilePort {
public:
    virtual ~FilePort() = default;
    // The whole content, or nullopt when the file cannot be opened or read.
    virtual std::optional<std::vector<std::uint8_t>> readAll(const std::wstring& path) = 0;
    // Whether something exists at `path`, readable or not.
    virtual bool exists(const std::wstring& path) = 0;
    // The file's stamp; nullopt when there is no file at `path`.
    virtual std::optional<FileStamp> stamp(const std::wstring& path) = 0;
    // Creates a new, empty file in the same folder as `target` and returns its
    // path; nullopt when none could be created.
    virtual std::optional<std::wstring> createTempBeside(const std::wstring& target) = 0;
    // Writes `bytes` as the whole content of an existing file and flushes them
    // to the disk before returning.
    virtual bool writeAndFlush(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
    // Moves `from` over `to` in one step, replacing `to` when it exists.
    virtual bool moveOver(const std::wstring& from, const std::wstring& to) = 0;
    virtual void removeFile(const std::wstring& path) = 0;
    // The temporary files createTempBeside made in `target`'s folder that are
    // still there: left by a save that never finished.
    virtual std::vector<std::wstring> tempFilesBeside(const std::wstring& target) = 0;
    // Makes the folder `path` and any folder above it that is missing; true
    // when it exists afterwards.
    virtual bool createFolder(const std::wstring& path) = 0;
};

}  // namespace vela
