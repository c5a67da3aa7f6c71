#!/usr/bin/env bash
# Builds Vela and takes screenshots of it under Wine, as a user sees it:
#
#   scripts/screenshots.sh NAME      (window, menu, tray, mouse, macro, profiles, windows, layers, shortcuts
#                                     or scales; pictures in build/screenshots/NAME)
#
# See tests/wine/cases/screenshots.py for what each set holds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
name=${1:-}
[[ -n "$name" ]] || { sed -n '2,/^"""/{/^"""/!p}' tests/wine/cases/screenshots.py; exit 2; }
"$root/scripts/setup-debian.sh" >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" >/dev/null
exec python3 tests/wine/run.py screenshots "$name" --bin build/windows/bin \
    --work "build/screenshots/$name/work" --out "build/screenshots/$name"
