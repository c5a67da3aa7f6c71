#include "win32/Platform.h"

#include <windows.h>

namespace vela::win32 {

PlatformFlags runningPlatformFlags() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#elif defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#endif
    // Deprecated because programs misread it; with the supported systems
    // declared in the manifest it reports the real version, which is what
    // the tilt and shortcut decisions need.
    GetVersionExW(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif
    return platformFlagsFor(version.dwMajorVersion, version.dwMinorVersion);
}

}  // namespace vela::win32
