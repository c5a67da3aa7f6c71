#!/usr/bin/env bash
# Sets up the machine, builds every configuration and runs every test: the
# layering check, the native unit tests, the playback tests under
# ThreadSanitizer, a short run of each fuzz target, Vela.exe built without
# the unity build, the installer and its manifest, and the Wine suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
begin=$SECONDS
phase() { echo "== $* ($((SECONDS - begin)) s)"; }

phase "Setting up"
"$root/scripts/setup-debian.sh"

phase "Layers"
scripts/check-layers.sh

phase "Native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

phase "Macro playback under ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
TSAN_OPTIONS="halt_on_error=1" build/tsan/tests/macro/macro_playback_tests --gtest_repeat=10 \
    --gtest_brief=1

phase "Fuzz targets, ${VELA_FUZZ_SECONDS:-10} s each"
scripts/fuzz.sh --seconds "${VELA_FUZZ_SECONDS:-10}"

# The unity build hides a source that compiles only after another one's
# includes: once with every source on its own.
phase "Vela.exe, each source compiled on its own"
cmake --preset windows-separate >/dev/null
cmake --build --preset windows-separate -j "$jobs"

phase "Windows build and the Wine suite"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
cmake --build --preset windows --target installer
ctest --preset windows

phase "Done"
