#!/usr/bin/env bash
# Sets up the machine, builds Vela for Windows and runs it under Wine, visible.
#
#   scripts/run.sh [ARGUMENTS FOR VELA]
#
# Without a DISPLAY a private Xvfb is started (look at it with
# `DISPLAY=:N import -window root shot.png`); Vela then runs until Ctrl+C.
# It runs from build/windows/run, where it keeps its QmSetting.ini.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=build/windows

"$root/scripts/setup-debian.sh"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target Vela vela_hook_libraries

# The same folder as the portable zip: the program, its hook libraries, the
# example macros and the README (the user's QmSetting.ini stays).
run="$(cd "$build" && pwd)/run"
cmake --install "$build" --prefix "$run" >/dev/null

# A private Xvfb when there is no DISPLAY; the Wine prefix stays in the build.
# Any argument keeps the window up; without one Vela would hide to the tray.
exec python3 tests/wine/run.py vela --bin "$run" --work "$build/run-work" "${@:-show}"
