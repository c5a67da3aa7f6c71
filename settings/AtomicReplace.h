// Replacing a file so that a crash or a failure never leaves half of it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/FilePort.h"

namespace vela {

// Writes the new content to a temporary file beside `path`, flushes it to the
// disk, then moves it over `path` in one step. Whenever this stops, `path`
// holds either its old content or all of the new. False when the file was not
// replaced; the temporary file is removed then.
bool replaceFile(FilePort& files, const std::wstring& path, std::span<const std::uint8_t> bytes);

}  // namespace vela
