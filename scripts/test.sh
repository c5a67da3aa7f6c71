#!/usr/bin/env bash
# Sets up the machine, builds both configurations and runs every test:
# the native unit tests and the Wine end-to-end suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup-debian.sh"

jobs=$(nproc)

echo "== Native build and unit tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== Windows build (mingw-w64) and Wine end-to-end tests"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build build/windows -j "$jobs"
ctest --test-dir build/windows --output-on-failure --no-tests=ignore
