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

# The sanitizer builds use clang; their folders can be moved for local runs.
tsan_build=${VELA_TSAN_BUILD:-build/tsan}
fuzz_build=${VELA_FUZZ_BUILD:-build/fuzz}
fuzz_seconds=${VELA_FUZZ_SECONDS:-60}
built() { find "$1" -name "$2" -type f -perm -u+x | head -n 1; }

echo "== ThreadSanitizer build of the macro playback tests"
CC=clang CXX=clang++ cmake -S . -B "$tsan_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
cmake --build "$tsan_build" -j "$jobs" --target macro_playback_tests
TSAN_OPTIONS="halt_on_error=1" "$(built "$tsan_build" macro_playback_tests)" --gtest_repeat=10 \
    --gtest_brief=1

echo "== Fuzz targets (libFuzzer, ASan + UBSan), ${fuzz_seconds} s each"
CC=clang CXX=clang++ cmake -S . -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELA_FUZZ=ON -DVELA_BUILD_TESTS=OFF
cmake --build "$fuzz_build" -j "$jobs" --target fuzz_macro_script fuzz_ini_reader
for target in macro_script:macro ini_reader:ini; do
    name=${target%%:*}
    corpus="$fuzz_build/corpus/$name"
    log="$fuzz_build/fuzz_$name.log"
    mkdir -p "$corpus"
    if ! "$(built "$fuzz_build" "fuzz_$name")" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
        -artifact_prefix="$fuzz_build/" "$corpus" "fuzz/seeds/${target##*:}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$name found a fault; the input is saved under $fuzz_build/"
        exit 1
    fi
    echo "fuzz_$name: $(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}') executions, no finding"
done

echo "== Windows build (mingw-w64) and Wine end-to-end tests"
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build build/windows -j "$jobs"

echo "== Portable zip"
(cd build/windows && cpack -G ZIP)

ctest --test-dir build/windows --output-on-failure --no-tests=ignore
