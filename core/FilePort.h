// Whole-file access for the settings file and the macro scripts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vela {

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
    // Creates a new, empty file in the same folder as `target` and returns its
    // path; nullopt when none could be created.
    virtual std::optional<std::wstring> createTempBeside(const std::wstring& target) = 0;
    // Writes `bytes` as the whole content of an existing file and flushes them
    // to the disk before returning.
    virtual bool writeAndFlush(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
    // Moves `from` over `to` in one step, replacing `to` when it exists.
    virtual bool moveOver(const std::wstring& from, const std::wstring& to) = 0;
    virtual void removeFile(const std::wstring& path) = 0;
};

}  // namespace vela
