#!/usr/bin/env bash
# Builds what a benchmark needs and runs it; benchmarks print figures and
# assert nothing.
#
#   scripts/bench.sh NAME [OPTIONS]
#
#   pause      Vela's 30 ms pause against a plain Sleep, under Wine
#   settings   one settings save against the key-by-key profile functions [--iterations N]
#   hooks      pointer-move latency without and with all nine hooks [--moves N --interval-ms MS]
#   press      forward press to a key at a window: native, a minimal remapper, Vela
#              [--presses N --press-interval-ms MS --vela-from FOLDER]
#   profiles   click into a program to its profile acting; moves with profiles [--moves N]
#   fuzz       each fuzz target for 10 million executions [--runs N --max-len BYTES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
name=${1:-}
[[ -n "$name" ]] || { sed -n '2,15p' "$0"; exit 2; }
shift

"$root/scripts/setup-debian.sh" >/dev/null
if [[ "$name" == fuzz ]]; then
    # --runs N (10 million unless given) and --max-len BYTES go to scripts/fuzz.sh.
    [[ " $* " == *" --runs "* ]] || set -- --runs 10000000 "$@"
    exec scripts/fuzz.sh "$@"
fi
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" >/dev/null
exec python3 tests/wine/run.py bench "$name" --bin build/windows/bin --work "build/bench/$name" "$@"
