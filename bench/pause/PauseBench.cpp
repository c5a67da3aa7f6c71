// Prints how long a 30 ms pause really takes: Vela's pause against a plain
// Sleep(30). Run under Wine by scripts/bench-pause.sh, or directly on Windows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/ports/Win32InputPort.h"

namespace {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

template <typename Pause>
void report(const char* name, Pause pause) {
    constexpr int kRounds = 60;
    std::vector<double> took;
    for (int i = 0; i < kRounds; ++i) {
        const double start = nowMs();
        pause();
        took.push_back(nowMs() - start);
    }
    std::sort(took.begin(), took.end());
    std::printf("%-22s p50 %6.2f ms   p99 %6.2f ms   max %6.2f ms\n", name,
                took[took.size() / 2], took[took.size() * 99 / 100], took.back());
}

}  // namespace

int main() {
    vela::win32::Win32InputPort port;
    std::printf("30 ms pause, 60 rounds each; high-resolution waitable timer: %s\n",
                port.usesHighResolutionTimer() ? "yes" : "no (raised timer resolution)");
    report("Vela sleepMs(30)", [&] { port.sleepMs(30); });
    report("Sleep(30)", [] { Sleep(30); });
    return 0;
}
