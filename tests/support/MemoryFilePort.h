// An in-memory file system behind the FilePort, able to fail or "crash" at any
// chosen step of a write, for tests of what a broken save leaves behind.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/FilePort.h"

namespace vela::test {

// Thrown to stand for the process dying in the middle of a step: whatever the
// files hold at that moment is what the disk holds afterwards.
struct SimulatedCrash {};

inline std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

class MemoryFilePort final : public FilePort {
public:
    std::map<std::wstring, std::vector<std::uint8_t>> files;
    std::vector<std::wstring> reads;  // every path asked for, in order
    std::vector<std::string> steps;   // "create", "write", "move", "remove"

    // The write step (counted from 0 over create, write and move) that fails
    // or crashes; a write that fails or crashes has put half its bytes down.
    std::optional<int> failAtStep;
    std::optional<int> crashAtStep;

    // Paths that exist but cannot be read (locked, no permission).
    std::set<std::wstring> unreadable;

    std::optional<std::vector<std::uint8_t>> readAll(const std::wstring& path) override {
        reads.push_back(path);
        const auto it = files.find(path);
        if (it == files.end() || unreadable.contains(path)) return std::nullopt;
        return it->second;
    }

    bool exists(const std::wstring& path) override { return files.contains(path); }

    // A file's write time is what the test sets (0 until then); its size is
    // its content's.
    std::map<std::wstring, std::uint64_t> writeTimes;
    std::optional<FileStamp> stamp(const std::wstring& path) override {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        const auto time = writeTimes.find(path);
        return FileStamp{time == writeTimes.end() ? 0 : time->second, it->second.size()};
    }

    std::optional<std::wstring> createTempBeside(const std::wstring& target) override {
        const std::wstring folder = folderOf(target);
        if (readOnlyFolders.contains(folder)) return std::nullopt;
        if (!enter("create")) return std::nullopt;
        std::wstring name = folder + L"~vela" + std::to_wstring(++tempCount_) + L".tmp";
        files[name] = {};
        return name;
    }

    bool writeAndFlush(const std::wstring& path, std::span<const std::uint8_t> bytes) override {
        const int step = nextStep_;
        const bool go = enter("write", /*checkOnly=*/true);
        auto& file = files[path];
        if (!go) {
            file.assign(bytes.begin(),
                        bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
            if (crashAtStep == step) throw SimulatedCrash{};
            return false;
        }
        file.assign(bytes.begin(), bytes.end());
        return true;
    }

    bool moveOver(const std::wstring& from, const std::wstring& to) override {
        if (!enter("move")) return false;
        const auto it = files.find(from);
        if (it == files.end()) return false;
        files[to] = it->second;  // one step: the target is old or new, never between
        files.erase(from);
        return true;
    }

    void removeFile(const std::wstring& path) override {
        steps.push_back("remove");
        files.erase(path);
    }

    std::vector<std::wstring> tempFilesBeside(const std::wstring& target) override {
        const std::wstring prefix = folderOf(target) + L"~vela";
        std::vector<std::wstring> found;
        for (const auto& [path, bytes] : files) {
            if (path.starts_with(prefix) && path.ends_with(L".tmp") &&
                path.find(L'\\', prefix.size()) == std::wstring::npos)
                found.push_back(path);
        }
        return found;
    }

    // Folders that cannot be written: no temporary file is made in them.
    std::set<std::wstring> readOnlyFolders;
    std::set<std::wstring> folders;

    bool createFolder(const std::wstring& path) override {
        folders.insert(path);
        return true;
    }

private:
    static std::wstring folderOf(const std::wstring& target) {
        const std::size_t slash = target.rfind(L'\\');
        return slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    }

    // Counts a step; false when it is to fail. Throws when it is to crash,
    // except for writes, which put half their bytes down first.
    bool enter(const char* what, bool checkOnly = false) {
        steps.push_back(what);
        const int step = nextStep_++;
        if (crashAtStep == step && !checkOnly) throw SimulatedCrash{};
        return failAtStep != step && crashAtStep != step;
    }

    int nextStep_ = 0;
    int tempCount_ = 0;
};

}  // namespace vela::test
