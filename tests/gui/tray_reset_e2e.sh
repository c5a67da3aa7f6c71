#!/usr/bin/env bash
# "Reset" from the tray, end to end: every remapped input works natively again
# at once (the receiver sees the physical buttons and wheel), the settings file
# is written at once, and the other values of each slot stay in the file.
#
#   tray_reset_e2e.sh --bin FOLDER_WITH_VELA_AND_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/programs.sh
source "$here/../e2e/programs.sh"
# shellcheck source=tests/gui/tray_lib.sh
source "$here/tray_lib.sh"
e2e_parse_args "$@"

tray_setup app

# Forward: Copy; back: Cut; wheel up: Zoom In.
printf '%s\r\n' \
    '[X1ButtonSetting]' '0=Copy' '1=1' '2=2' '3=67' '4=0' '5=' '6=1' '8=' \
    '[X2ButtonSetting]' '0=Cut' '1=1' '2=2' '3=88' '4=0' '5=' '6=1' '8=' \
    '[WUButtonSetting]' '0=Zoom In' '1=1' '2=0' '3=107' '4=0' '5=' '6=1' '8=' >"$settings"

# press_all N: forward, back, wheel up, then a left click; prints what reached
# the receiver, pointer traffic left out, once N such lines are there (the
# remapped functions pause between keys, so they may come after the click)
# and nothing more has come for a moment.
press_all() {
    local want=$1 before clicks got="" _
    before=$(wc -l <"$E2E_RECEIVER_LOG")
    clicks=$(e2e_count "$E2E_RECEIVER_LOG" "LBUTTONUP")
    e2e_xdo click --delay 0 9
    e2e_xdo click --delay 0 8
    e2e_xdo click --delay 0 4
    e2e_xdo click --delay 0 1
    e2e_wait_count "$E2E_RECEIVER_LOG" "LBUTTONUP" $((clicks + 1)) 10
    for _ in $(seq 1 100); do
        got=$(tail -n +"$((before + 1))" "$E2E_RECEIVER_LOG" | cut -d' ' -f2- |
            grep -vE "^(MOUSEMOVE|LBUTTONDOWN|LBUTTONUP)")
        (($(grep -c . <<<"$got") >= want)) && break
        sleep 0.05
    done
    sleep 0.3
    tail -n +"$((before + 1))" "$E2E_RECEIVER_LOG" | cut -d' ' -f2- |
        grep -vE "^(MOUSEMOVE|LBUTTONDOWN|LBUTTONUP)" | paste -sd, -
}

# By the process this script started: other tests may run receivers too.
receiver_gone() {
    local _
    for _ in $(seq 1 200); do
        kill -0 "$receiver_pid" 2>/dev/null || return 0
        sleep 0.05
    done
    return 1
}

tray_start_vela || exit 1
sleep 0.5

# --- Remapped: each input becomes its function ----------------------------------
# The receiver covers the screen, the tray included: it leaves by itself.
E2E_PROGRAM_TIMEOUT=6 e2e_receiver_start "$bin" || exit 1
receiver_pid=$!
e2e_check "remapped_inputs_act" "$(press_all 10)" \
    "KEYDOWN 17,KEYDOWN 67,KEYUP 67,KEYUP 17,KEYDOWN 17,KEYDOWN 88,KEYUP 88,KEYUP 17,KEYDOWN 107,KEYUP 107"
cp "$E2E_RECEIVER_LOG" "$E2E_WORK/receiver-remapped.log"
receiver_gone || { e2e_log "the receiver did not leave"; exit 1; }

# --- Reset from the tray menu: one save at once ------------------------------------
tray_watch_start || exit 1
tray_open_menu 3 || exit 1
tray_choose 2
e2e_wait_count "$TRAY_WATCH_LOG" " (moved|written)$" 1 5
sleep 0.5
e2e_check "reset_saves_once" "$(tray_saves)" 1
e2e_check "reset_leaves_window_hidden" "$(tray_visible)" 0
for section in X1 X2 WU; do
    e2e_check "reset_${section}_hook_flag_off" "$(tray_ini_value "${section}ButtonSetting" 1)" 0
done
e2e_check "reset_X1_native_caption" "$(tray_ini_value X1ButtonSetting 0)" "Forward"
e2e_check "reset_X2_native_caption" "$(tray_ini_value X2ButtonSetting 0)" "Back"
e2e_check "reset_WU_native_caption" "$(tray_ini_value WUButtonSetting 0)" "Wheel Up"
e2e_check "reset_keeps_X1_key" "$(tray_ini_value X1ButtonSetting 2)/$(tray_ini_value X1ButtonSetting 3)" \
    "2/67"

# --- Every hook is out: the physical inputs arrive as they are -----------------------
e2e_receiver_start "$bin" || exit 1
e2e_check "native_inputs_after_reset" "$(press_all 5)" \
    "XBUTTONDOWN 2,XBUTTONUP 2,XBUTTONDOWN 1,XBUTTONUP 1,MOUSEWHEEL 120"
e2e_check "one_vela_after_reset" "$(vela_processes)" 1

e2e_finish
