#!/usr/bin/env bash
# Opening and closing the function menu 500 times, a submenu open each time,
# leaves the process's GDI and USER object counts where they started, and no
# menu item object alive. A control run that leaks one brush and one menu per
# showing shows that the counts would see a leak.
#
# Runs the real menu code in menu_host.exe, which counts from inside the
# process: under Wine no other process can read another's counts.
#
#   menu_objects_e2e.sh --bin FOLDER_WITH_MENU_HOST --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/menu_lib.sh"

e2e_begin "$@"

# run NAME ARGS...: one host run to its end; prints its log's file name.
run() {
    local name=$1 log="$E2E_WORK/$1.log"
    shift
    rm -f "$log"
    timeout 280 wine "$bin/menu_host.exe" "$(e2e_winpath "$log")" "$@" \
        >"$E2E_WORK/$name.out" 2>"$E2E_WORK/$name.err"
    tr -d '\r\357\273\277' <"$log" >"$log.txt"
    echo "$log.txt"
}
field() { grep -E "^$2 " "$1" | tail -n1 | tr ' ' '\n' | grep -E "^$3=" | cut -d= -f2; }

start=$SECONDS
log=$(run cycles --cycles 500)
e2e_log "500 showings in $((SECONDS - start)) s: $(grep -E '^(before|after|cycles) ' "$log" | paste -sd';')"
e2e_check "all_500_showings_opened_a_submenu" "$(grep -E '^cycles ' "$log")" "cycles 500 with-submenu 500"
e2e_check "gdi_objects_unchanged" "$(field "$log" after gdi)" "$(field "$log" before gdi)"
e2e_check "user_objects_unchanged" "$(field "$log" after user)" "$(field "$log" before user)"
e2e_check "no_menu_item_alive" "$(field "$log" after items)" 0
e2e_check "counts_are_real" "$(($(field "$log" before gdi) > 0 && $(field "$log" before user) > 0))" 1

log=$(run leak --cycles 5 --leak)
e2e_check "control_leak_seen_in_gdi" \
    "$(($(field "$log" after gdi) - $(field "$log" before gdi)))" 5
e2e_check "control_leak_seen_in_user" \
    "$(($(field "$log" after user) - $(field "$log" before user)))" 5

e2e_finish
