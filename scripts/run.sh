#!/usr/bin/env bash
# Sets up the machine, builds Vela for Windows and runs it under Wine, visible.
#
#   scripts/run.sh [ARGUMENTS FOR VELA]
#
# Without a DISPLAY a private Xvfb is started (look at it with
# `DISPLAY=:N import -window root shot.png`); Vela then runs until Ctrl+C.
# It runs from build/windows/run, where it keeps its QmSetting.ini
# (VELA_BUILD_DIR names another build folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build="${VELA_BUILD_DIR:-build/windows}"

"$root/scripts/setup-debian.sh"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build" -j "$(nproc)" --target Vela vela_hook_libraries

# The same folder as the portable zip: the program, its hook libraries, the
# example macros and the README (the user's QmSetting.ini stays).
run="$(cd "$build" && pwd)/run"
cmake --install "$build" --prefix "$run" >/dev/null

export WINEPREFIX="$(cd "$build" && pwd)/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [[ -z "${DISPLAY:-}" ]]; then
    displayfile=$(mktemp)
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$displayfile" \
        >"$run/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 200); do [[ -s "$displayfile" ]] && break; sleep 0.05; done
    export DISPLAY=":$(tr -d '[:space:]' <"$displayfile")"
    rm -f "$displayfile"
    echo "Xvfb on $DISPLAY"
fi
[[ -d "$WINEPREFIX" ]] || timeout 120 wineboot -i >"$run/wineboot.log" 2>&1

# Any argument keeps the window up; without one Vela would hide to the tray.
args=("$@")
((${#args[@]})) || args=(show)
echo "Vela is running on $DISPLAY (Ctrl+C ends it)"
timeout 86400 wine "$run/Vela.exe" "${args[@]}" >"$run/vela.out" 2>"$run/vela.err" || true
