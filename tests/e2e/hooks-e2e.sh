#!/usr/bin/env bash
# End-to-end test of the nine hook libraries: real X input from xdotool under
# Wine in Xvfb, reports logged by HookHost, what reaches the focused window
# logged by InputReceiver.
#
#   hooks-e2e.sh --bin FOLDER_WITH_EXES_AND_DLLS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
# shellcheck source=tests/e2e/programs.sh
source "$here/programs.sh"

e2e_begin "$@"

e2e_host_init "$bin" || exit 1
e2e_receiver_start "$bin" || exit 1

# Per slot: the physical action (xdotool arguments) and what the receiver logs
# for it when it goes through natively.
declare -A action=(
    [R]="click 3" [M]="click 2" [X1]="click 9" [X2]="click 8"
    [WD]="click 5" [WU]="click 4" [WL]="click 6" [WR]="click 7"
    [ALTTAB]="key alt+Tab"
)
declare -A native=(
    [R]="RBUTTONDOWN" [M]="MBUTTONDOWN" [X1]="XBUTTONDOWN 2$" [X2]="XBUTTONDOWN 1$"
    [WD]="MOUSEWHEEL -120$" [WU]="MOUSEWHEEL 120$" [WL]="MOUSEHWHEEL -120$"
    [WR]="MOUSEHWHEEL 120$" [ALTTAB]="SYSKEYDOWN 9$"
)
# Everything a slot's input may leave in the receiver's log.
declare -A trace=(
    [R]="RBUTTON" [M]="MBUTTON" [X1]="XBUTTON(DOWN|UP) 2$" [X2]="XBUTTON(DOWN|UP) 1$"
    [WD]="MOUSEWHEEL -" [WU]="MOUSEWHEEL [0-9]" [WL]="MOUSEHWHEEL -" [WR]="MOUSEHWHEEL [0-9]"
    [ALTTAB]="(SYS)?KEY(DOWN|UP) (9|18)$"
)
slots=(R M X1 X2 WD WU WL WR ALTTAB)
presses=3

# One activation per call; the click delay is 0 so a run of them is quick.
activate() {
    local slot=$1
    if [[ $slot == ALTTAB ]]; then
        e2e_xdo key --delay 0 alt+Tab
    else
        e2e_xdo ${action[$slot]} --delay 0
    fi
}

e2e_log "installed: input swallowed, one report per activation; removed: native, no report"
for slot in "${slots[@]}"; do
    e2e_host install "$slot"
    before_trace=$(e2e_count "$E2E_RECEIVER_LOG" "${trace[$slot]}")
    before_reports=$(e2e_reports "$slot")
    before_all=$(e2e_count "$E2E_HOST_LOG" " report ")
    for ((i = 0; i < presses; i++)); do activate "$slot"; done
    e2e_settle
    e2e_check "$slot installed: reports" $(($(e2e_reports "$slot") - before_reports)) $presses
    e2e_check "$slot installed: receiver saw none of it" \
        $(($(e2e_count "$E2E_RECEIVER_LOG" "${trace[$slot]}") - before_trace)) 0
    e2e_check "$slot installed: no other slot reported" \
        $(($(e2e_count "$E2E_HOST_LOG" " report ") - before_all)) $presses

    e2e_host remove "$slot"
    before_native=$(e2e_count "$E2E_RECEIVER_LOG" "${native[$slot]}")
    before_reports=$(e2e_reports "$slot")
    activate "$slot"
    e2e_settle
    e2e_check "$slot removed: receiver saw the input" \
        $(($(e2e_count "$E2E_RECEIVER_LOG" "${native[$slot]}") - before_native)) 1
    e2e_check "$slot removed: no report" $(($(e2e_reports "$slot") - before_reports)) 0
done

e2e_log "every other slot installed: the one left out stays native"
e2e_host install "${slots[@]}"
for slot in "${slots[@]}"; do
    e2e_host remove "$slot"
    before_native=$(e2e_count "$E2E_RECEIVER_LOG" "${native[$slot]}")
    before_all=$(e2e_count "$E2E_HOST_LOG" " report ")
    activate "$slot"
    e2e_settle
    e2e_check "$slot native among eight installed: receiver saw it" \
        $(($(e2e_count "$E2E_RECEIVER_LOG" "${native[$slot]}") - before_native)) 1
    e2e_check "$slot native among eight installed: no report at all" \
        $(($(e2e_count "$E2E_HOST_LOG" " report ") - before_all)) 0
    e2e_host install "$slot"
done
# Left button, plain keys and moves belong to no slot.
before_all=$(e2e_count "$E2E_HOST_LOG" " report ")
before_keys=$(e2e_count "$E2E_RECEIVER_LOG" "KEYDOWN 65$")
before_moves=$(e2e_count "$E2E_RECEIVER_LOG" "MOUSEMOVE 700 500$")
e2e_xdo key --delay 0 a
e2e_xdo mousemove 700 500
e2e_settle
e2e_check "all nine installed: plain key passes" \
    $(($(e2e_count "$E2E_RECEIVER_LOG" "KEYDOWN 65$") - before_keys)) 1
e2e_check "all nine installed: pointer move passes" \
    $(($(e2e_count "$E2E_RECEIVER_LOG" "MOUSEMOVE 700 500$") - before_moves)) 1
e2e_check "all nine installed: left button, keys and moves report nothing" \
    $(($(e2e_count "$E2E_HOST_LOG" " report ") - before_all)) 0

e2e_log "Alt+Tab: once per Tab press, auto-repeat swallowed, Alt itself swallowed"
# With the slot removed, a held Tab auto-repeats here: the check below would
# prove nothing otherwise.
e2e_host remove ALTTAB
before=$(e2e_count "$E2E_RECEIVER_LOG" "SYSKEYDOWN 9$")
e2e_xdo keydown alt keydown Tab sleep 1.2 keyup Tab keyup alt
e2e_settle
repeats=$(($(e2e_count "$E2E_RECEIVER_LOG" "SYSKEYDOWN 9$") - before))
e2e_check "held Tab auto-repeats natively (more than one press seen)" "$((repeats > 1))" 1
e2e_host install ALTTAB
before_reports=$(e2e_reports ALTTAB)
before_trace=$(e2e_count "$E2E_RECEIVER_LOG" "${trace[ALTTAB]}")
e2e_xdo keydown alt keydown Tab sleep 1.2 keyup Tab key --delay 0 Tab Tab keyup alt
e2e_xdo key --delay 0 alt
e2e_settle
e2e_check "Alt held, Tab held then tapped twice: three reports" \
    $(($(e2e_reports ALTTAB) - before_reports)) 3
e2e_check "Alt and Tab never reach the window" \
    $(($(e2e_count "$E2E_RECEIVER_LOG" "${trace[ALTTAB]}") - before_trace)) 0

e2e_log "release of a swallowed press stays swallowed after the slot is removed"
e2e_host remove "${slots[@]}"
e2e_host install R
before_reports=$(e2e_reports R)
before_trace=$(e2e_count "$E2E_RECEIVER_LOG" "RBUTTON")
e2e_xdo mousedown 3
e2e_wait_count "$E2E_HOST_LOG" " report R$" $((before_reports + 1)) 5
e2e_host remove R
e2e_xdo mouseup 3
e2e_settle
e2e_check "press reported once" $(($(e2e_reports R) - before_reports)) 1
e2e_check "neither press nor late release reached the window" \
    $(($(e2e_count "$E2E_RECEIVER_LOG" "RBUTTON") - before_trace)) 0
before_native=$(e2e_count "$E2E_RECEIVER_LOG" "RBUTTONUP")
e2e_xdo click 3
e2e_settle
e2e_check "next right click is native again" \
    $(($(e2e_count "$E2E_RECEIVER_LOG" "RBUTTONUP") - before_native)) 1

e2e_log "own synthetic input under the guard never reports (200 runs each)"
e2e_host install "${slots[@]}"
# slot, MouseFunction value, receiver line of the synthetic event's press
guarded=(
    "R 1 RBUTTONDOWN" "M 2 MBUTTONDOWN" "X1 3 XBUTTONDOWN 2$" "X2 4 XBUTTONDOWN 1$"
    "WU 5 MOUSEWHEEL 120$" "WD 6 MOUSEWHEEL -120$"
)
runs=200
for entry in "${guarded[@]}"; do
    read -r slot function pattern <<<"$entry"
    before_native=$(e2e_count "$E2E_RECEIVER_LOG" "$pattern")
    before_all=$(e2e_count "$E2E_HOST_LOG" " report ")
    e2e_host_timeout=60 e2e_host mouse "$slot" "$function" "$runs"
    e2e_settle
    e2e_check "$slot sends its own input $runs times: receiver saw all" \
        $(($(e2e_count "$E2E_RECEIVER_LOG" "$pattern") - before_native)) $runs
    e2e_check "$slot sends its own input $runs times: no report" \
        $(($(e2e_count "$E2E_HOST_LOG" " report ") - before_all)) 0
done
# No guard at all: the hooks see the synthetic events while their slots are
# installed, which is the worst case of the guard's race on Windows (the hook
# may see an event only after the guard has put the library back).
for entry in "R 1 RBUTTONDOWN" "X2 4 XBUTTONDOWN 1$" "WD 6 MOUSEWHEEL -120$"; do
    read -r slot function pattern <<<"$entry"
    before_native=$(e2e_count "$E2E_RECEIVER_LOG" "$pattern")
    before_all=$(e2e_count "$E2E_HOST_LOG" " report ")
    e2e_host_timeout=60 e2e_host raw "$function" "$runs"
    e2e_settle
    e2e_check "$slot installed, own input sent unguarded $runs times: receiver saw all" \
        $(($(e2e_count "$E2E_RECEIVER_LOG" "$pattern") - before_native)) $runs
    e2e_check "$slot installed, own input sent unguarded $runs times: no report" \
        $(($(e2e_count "$E2E_HOST_LOG" " report ") - before_all)) 0
done
# Another slot's guarded click, and the Alt+Tab slot answering with an Alt
# chord of its own (KeyAction AltCombo, Tab).
before_all=$(e2e_count "$E2E_HOST_LOG" " report ")
before_native=$(e2e_count "$E2E_RECEIVER_LOG" "RBUTTONDOWN")
e2e_host_timeout=60 e2e_host mouse X1 1 50
before_tabs=$(e2e_count "$E2E_RECEIVER_LOG" "SYSKEYDOWN 9$")
e2e_host_timeout=60 e2e_host key ALTTAB 4 9 50
e2e_settle
e2e_check "X1 answering with a right click 50 times: receiver saw all" \
    $(($(e2e_count "$E2E_RECEIVER_LOG" "RBUTTONDOWN") - before_native)) 50
e2e_check "Alt+Tab slot sending Alt+Tab 50 times: receiver saw all" \
    $(($(e2e_count "$E2E_RECEIVER_LOG" "SYSKEYDOWN 9$") - before_tabs)) 50
e2e_check "cross-slot and keyboard answers: no report" \
    $(($(e2e_count "$E2E_HOST_LOG" " report ") - before_all)) 0
# The guard put every library back: physical input is caught again.
for slot in R X1 WU ALTTAB; do
    before_reports=$(e2e_reports "$slot")
    activate "$slot"
    e2e_settle
    e2e_check "$slot caught again after the guarded runs" \
        $(($(e2e_reports "$slot") - before_reports)) 1
done

e2e_log "watchdog puts back hooks the system dropped"
e2e_host restores
restores_before=$(e2e_last_value restores)
e2e_log "watchdog restores before the drop: $restores_before"
e2e_host drop
e2e_check "hooks were in place when dropped" "$(e2e_last_value dropped)" 1
restored=$restores_before
for ((i = 0; i < 60 && restored == restores_before; i++)); do
    e2e_xdo mousemove $((600 + i)) 500
    sleep 0.1
    e2e_host restores
    restored=$(e2e_last_value restores)
done
e2e_check "watchdog restored the hooks" "$((restored > restores_before))" 1
for slot in R ALTTAB; do
    before_reports=$(e2e_reports "$slot")
    activate "$slot"
    e2e_settle
    e2e_check "$slot reports again after the restore" \
        $(($(e2e_reports "$slot") - before_reports)) 1
done

e2e_host quit
e2e_finish
