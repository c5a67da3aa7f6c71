#!/usr/bin/env bash
# How long Vela's 30 ms pause really lasts under Wine, next to a plain Sleep.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/windows"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target pause_bench >/dev/null
export WINEPREFIX="$build/bench-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bench=$(find "$build" -name pause_bench.exe | head -n 1)
timeout 120 wine "$bench" >"$build/pause-bench.txt" 2>"$build/pause-bench.err" || true
cat "$build/pause-bench.txt"
timeout 20 wineserver -k || true
