#!/usr/bin/env bash
# Runs ControlsTest.exe under Wine in a private Xvfb display.
#
#   controls-test.sh --bin FOLDER --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/../e2e/lib.sh"
bin="" work=""
while (($#)); do
    case $1 in
        --bin) bin=$(cd "$2" && pwd); shift 2 ;;
        --work) work=$(mkdir -p "$2" && cd "$2" && pwd); shift 2 ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done
e2e_init "$work"
e2e_start_xvfb || exit 1
e2e_fresh_prefix || exit 1
log="$E2E_WORK/controls.log"
rm -f "$log"
timeout 120 wine "$bin/ControlsTest.exe" --log "$(e2e_winpath "$log")" \
    >"$E2E_WORK/controls.out" 2>"$E2E_WORK/controls.err"
status=$?
cut -d' ' -f2- "$log"
exit "$status"
