#!/usr/bin/env bash
# Builds Vela and takes screenshots of it under Wine, as a user sees it:
#
#   scripts/screenshots.sh NAME      (window, menu, tray, macro, profiles or scales; pictures in
#                                     build/screenshots/NAME)
#
# See tests/wine/screenshots.py for what each set holds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
name=${1:-}
[[ -n "$name" ]] || { python3 tests/wine/screenshots.py --help; exit 2; }
"$root/scripts/setup-debian.sh" >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" >/dev/null
exec python3 tests/wine/screenshots.py "$name" --bin build/windows/bin --out "build/screenshots/$name"
