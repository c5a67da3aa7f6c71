// FilePort over the Win32 file calls, and the system's ANSI code page.
#pragma once

#include "core/FilePort.h"
#include "settings/AnsiCodePage.h"

namespace vela::win32 {

class Win32FilePort final : public FilePort {
public:
    // Files larger than this are not read: settings and scripts are small, and
    // a huge file is a mistake or an attack, not something to hold in memory.
    static constexpr std::uint64_t kMaxReadBytes = 64ull << 20;

    std::optional<std::vector<std::uint8_t>> readAll(const std::wstring& path) override;
    bool exists(const std::wstring& path) override;
    // GetFileAttributesExW: the last-write time in 100 ns units, and the size.
    std::optional<FileStamp> stamp(const std::wstring& path) override;
    // A GetTempFileNameW file in the target's folder, so the final move never
    // crosses volumes and stays one step.
    std::optional<std::wstring> createTempBeside(const std::wstring& target) override;
    bool writeAndFlush(const std::wstring& path, std::span<const std::uint8_t> bytes) override;
    // MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
    bool moveOver(const std::wstring& from, const std::wstring& to) override;
    void removeFile(const std::wstring& path) override;
    // The "vel*.tmp" files GetTempFileNameW made there.
    std::vector<std::wstring> tempFilesBeside(const std::wstring& target) override;
    bool createFolder(const std::wstring& path) override;
};

// MultiByteToWideChar with CP_ACP: the code page the profile functions use.
class Win32AnsiCodePage final : public AnsiCodePage {
public:
    std::wstring decode(std::span<const std::uint8_t> bytes) override;
    // WideCharToMultiByte with CP_ACP and no best-fit look-alikes.
    std::optional<std::vector<std::uint8_t>> encode(std::wstring_view text) override;
};

}  // namespace vela::win32
