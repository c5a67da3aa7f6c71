#!/usr/bin/env bash
# Pointer-move latency through Wine without Vela's hooks and with all nine
# slots installed, and the worst gap between moves while the user-interface
# thread sits in 30 ms pauses. Prints figures; asserts nothing.
#
#   scripts/bench-hooks.sh [BUILD_DIR]     (default build/windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/windows}
moves=${BENCH_MOVES:-1000}
interval_ms=${BENCH_INTERVAL_MS:-4}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j 2 --target HookHost InputReceiver >/dev/null

source "$root/tests/e2e/lib.sh"
source "$root/tests/e2e/programs.sh"
bin="$build/bin"
work="$build/bench-hooks"
mover="$root/bench/hooks/move_latency.py"

e2e_init "$work"
e2e_start_xvfb
e2e_fresh_prefix
e2e_receiver_start "$bin"
e2e_host_init "$bin"

all=(R M X1 X2 WD WU WL WR ALTTAB)
busy_ms=$(((moves * interval_ms) + 1000))

phase() {
    local row=$1 label=$2
    python3 "$mover" move "$work/moves-$row.txt" "$moves" "$interval_ms" "$row"
    e2e_settle
    results+=("$(python3 "$mover" report "$label" "$work/moves-$row.txt" "$E2E_RECEIVER_LOG")")
}

# Sends a busy command without waiting for it: the moves run meanwhile.
busy_start() {
    E2E_HOST_SEQ=$((E2E_HOST_SEQ + 1))
    printf 'busy %d\n' "$busy_ms" >>"$E2E_HOST_COMMANDS"
    sleep 0.2
}
busy_wait() { e2e_wait_line "$E2E_HOST_LOG" " ack $E2E_HOST_SEQ " 60; }

results=()
e2e_log "$moves moves ${interval_ms} ms apart per phase"
phase 1 "no hooks"
e2e_host install "${all[@]}"
phase 2 "all nine installed"
busy_start
phase 3 "all nine, UI thread in 30 ms pauses"
busy_wait
e2e_host remove "${all[@]}"
busy_start
phase 4 "no hooks, UI thread in 30 ms pauses"
busy_wait
e2e_host quit

printf '%s\n' "${results[@]}"
p50_bare=$(awk '{for(i=1;i<=NF;i++) if($i=="p50") print $(i+1)}' <<<"${results[0]}")
p99_bare=$(awk '{for(i=1;i<=NF;i++) if($i=="p99") print $(i+1)}' <<<"${results[0]}")
p50_hooks=$(awk '{for(i=1;i<=NF;i++) if($i=="p50") print $(i+1)}' <<<"${results[1]}")
p99_hooks=$(awk '{for(i=1;i<=NF;i++) if($i=="p99") print $(i+1)}' <<<"${results[1]}")
awk -v a="$p50_bare" -v b="$p50_hooks" -v c="$p99_bare" -v d="$p99_hooks" \
    'BEGIN { printf "ratio with/without hooks: p50 %.2f, p99 %.2f\n", b / a, d / c }'
