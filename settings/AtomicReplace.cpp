#include "settings/AtomicReplace.h"

namespace vela {

bool replaceFile(FilePort& files, const std::wstring& path, std::span<const std::uint8_t> bytes) {
    const auto temp = files.createTempBeside(path);
    if (!temp) return false;
    if (!files.writeAndFlush(*temp, bytes) || !files.moveOver(*temp, path)) {
        files.removeFile(*temp);
        return false;
    }
    return true;
}

}  // namespace vela
