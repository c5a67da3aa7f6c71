// The system's own ordinal compare that ignores case, for the core library
// built for Windows: the table it uses is the one the file system uses.
#include "core/CaselessName.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace vela {

int compareCaseless(std::wstring_view a, std::wstring_view b) {
    // An empty view may have no characters to point at, which the call refuses.
    if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : a.empty() ? -1 : 1;
    // Longer than the call takes: the parts it can compare decide, then the
    // length.
    const auto length = [](std::wstring_view s) {
        return static_cast<int>(std::min<std::size_t>(s.size(), INT_MAX));
    };
    const int result = CompareStringOrdinal(a.data(), length(a), b.data(), length(b), TRUE);
    if (result == 0) return a.compare(b);  // refused: never call two names the same
    if (result == CSTR_EQUAL && a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return result - CSTR_EQUAL;
}

}  // namespace vela
