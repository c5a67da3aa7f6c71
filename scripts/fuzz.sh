#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers (preset "fuzz") and runs
# each one, either for a time or for a number of executions:
#
#   scripts/fuzz.sh --seconds 10        (what the test command runs)
#   scripts/fuzz.sh --runs 10000000     (the long run; scripts/bench.sh fuzz)
#   ... --max-len 512                   (inputs of at most 512 bytes: a faster long run)
#
# A finding stops with the input saved under build/fuzz/ and exit status 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
limit=(-max_total_time=10)
while (($#)); do
    case $1 in
        --seconds) limit[0]=-max_total_time="$2"; shift 2 ;;
        --runs) limit[0]=-runs="$2"; shift 2 ;;
        --max-len) limit+=(-max_len="$2"); shift 2 ;;
        *) echo "usage: $0 [--seconds N | --runs N] [--max-len BYTES]" >&2; exit 2 ;;
    esac
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
build=build/fuzz
# The targets run side by side, one per core.
run_target() {
    local name=$1 seeds=$2
    local corpus="$build/corpus/$name" log="$build/fuzz_$name.log" start=$SECONDS
    mkdir -p "$corpus"
    if ! "$build/fuzz/fuzz_$name" "${limit[@]}" -print_final_stats=1 -artifact_prefix="$build/" \
        "$corpus" "fuzz/seeds/$seeds" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$name found a fault; the input is saved under $build/"
        return 1
    fi
    local runs
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz_$name: $runs executions in $((SECONDS - start)) s, no finding"
}
run_target macro_script macro &
macro=$!
run_target ini_reader ini &
ini=$!
status=0
wait "$macro" || status=1
wait "$ini" || status=1
exit "$status"
