#!/usr/bin/env bash
# Builds the settings benchmark for Windows and runs it under Wine: one
# ButtonSettingsStore::saveAll against the key-by-key WritePrivateProfileStringW
# sequence, side by side in one run, after checking that both make the same file.
#
#   scripts/bench-settings.sh [iterations]      (build dir: $VELA_BENCH_BUILD, default build/windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELA_BENCH_BUILD:-$root/build/windows}
iterations=${1:-200}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j 2 --target vela_settings_bench

work="$build/settings-bench-run"
mkdir -p "$work"
export WINEPREFIX="$build/wineprefix-bench" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
cleanup() {
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and tells us on fd 3.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 180 wineboot -i >"$work/wineboot.log" 2>&1
fi

status=0
exe="$build/bin/vela_settings_bench.exe"
[ -f "$exe" ] || exe="$build/settings/vela_settings_bench.exe"
timeout 600 wine "$exe" "$iterations" \
    >"$work/bench.out" 2>"$work/bench.err" || status=$?
cat "$work/bench.out"
exit "$status"
