// What the running system offers (core/PlatformFlags.h), asked once.
#pragma once

#include "core/PlatformFlags.h"

namespace vela::win32 {

// From the system's version as the manifest lets it report itself.
PlatformFlags runningPlatformFlags();

}  // namespace vela::win32
