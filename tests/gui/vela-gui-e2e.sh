#!/usr/bin/env bash
# End-to-end test of Vela.exe under Wine in Xvfb: the real program, its hook
# libraries and its settings file, driven by xdotool and observed by the
# receiver window and WindowProbe.
#
#   vela-gui-e2e.sh --bin FOLDER_WITH_VELA_AND_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"
# shellcheck source=tests/e2e/programs.sh
source "$root/tests/e2e/programs.sh"

e2e_begin "$@"

e2e_app_folder

# Control places from the layout the skin and the dialog are generated from.
layout() { (cd "$root/resources" && python3 -c "import generate as g; print(*$1)"); }
centre_of() {
    local x y w h
    read -r x y w h <<<"$(layout "$1")"
    echo "$((x + w / 2)) $((y + h / 2))"
}

# probe ACTION: runs WindowProbe once and prints the log's file name.
probe() {
    local log="$E2E_WORK/probe-$1-$(date +%s%N).log"
    rm -f "$log"
    timeout 30 wine "$bin/WindowProbe.exe" --log "$(e2e_winpath "$log")" --do "$1" \
        >"$E2E_WORK/probe.out" 2>"$E2E_WORK/probe.err"
    echo "$log"
}
# text_of LOG ID: the text the probe read from control ID.
text_of() { grep -E "^[0-9]+ text $2( |$)" "$1" | head -n1 | cut -d' ' -f4-; }
value_of() { grep -E "^[0-9]+ $2 " "$1" | head -n1 | awk '{print $3}'; }

# Running Vela processes of this test (Wine names them by the unix path).
vela_processes() {
    local n
    n=$(pgrep -fc "^$app/Vela.exe") || true
    echo "${n:-0}"
}

# ini_value SECTION KEY from the settings file.
ini_value() { e2e_ini_value "$settings" "$1" "$2"; }

# --- A settings file: X1 holds "Copy", a few captions and descriptions ---------
printf '%s\r\n' \
    '[X1ButtonSetting]' '0=Copy' '1=1' '2=2' '3=67' '4=0' '5=' '6=1' '8=Copies the selection' \
    '[RButtonSetting]' '0=' '1=0' '2=0' '3=0' '4=0' '5=' '6=0' '8=   ' \
    '[WLButtonSetting]' '0=  Back Tab  ' '1=0' '2=0' '3=0' '4=0' '5=' '6=0' '8=  Spaced note  ' \
    >"$settings"

# --- Started with no argument: shown, then hidden about 10 ms later -------------
watch_log="$E2E_WORK/watch.log"
rm -f "$watch_log" "$E2E_WORK"/probe-*.log
e2e_start watch "$bin/WindowProbe.exe" --log "$(e2e_winpath "$watch_log")" --do watch \
    --exit-after 200
e2e_wait_line "$watch_log" " ready$" 30 || exit 1
e2e_start vela "$app/Vela.exe"
# The window exists hidden while it initialises; what counts is the first
# hide after it was first shown.
shown="" hidden=""
for _ in $(seq 1 600); do
    read -r shown hidden <<<"$(awk '/ visible$/ && !v {v = $1} / hidden$/ && v {print v, $1; exit}' \
        "$watch_log")"
    [[ -n "$hidden" ]] && break
    sleep 0.05
done
if [[ -n "$shown" && -n "$hidden" ]]; then
    hide_ms=$(((hidden - shown) / 10000))
    e2e_log "shown at $shown, hidden at $hidden: $hide_ms ms"
    # The hide timer asks for 10 ms; Wine's timers and a loaded machine add
    # to it, but a hide that waits for anything else would take far longer.
    e2e_check "hidden_soon_after_first_shown" "$((hide_ms >= 0 && hide_ms < 1000))" 1
else
    e2e_check "shown_then_hidden" "show=${shown:-none} hide=${hidden:-none}" "both seen"
fi
log=$(probe texts)
e2e_check "hidden_window_still_exists" "$(value_of "$log" window)" 1
e2e_check "hidden_window_is_hidden" "$(value_of "$log" visible)" 0

# --- Captions and labels show the file's values ----------------------------------
e2e_check "caption_X1_from_file" "$(text_of "$log" 1002)" "Copy"
e2e_check "label_X1_from_file" "$(text_of "$log" 1016)" "Copies the selection"
e2e_check "caption_R_empty_is_native" "$(text_of "$log" 1000)" "Right Button"
e2e_check "label_R_blank_is_default" "$(text_of "$log" 1012)" "Right Button"
e2e_check "caption_WL_trimmed" "$(text_of "$log" 1010)" "Back Tab"
e2e_check "label_WL_trimmed" "$(text_of "$log" 1027)" "Spaced note"
e2e_check "caption_X2_missing_section_native" "$(text_of "$log" 1003)" "Back"
e2e_check "label_X2_missing_section_default" "$(text_of "$log" 1017)" "Forward"
e2e_check "label_ALTTAB_default" "$(text_of "$log" 1028)" "ALT + TAB"

# --- The forward button, remapped to Copy, reaches the focused window as Ctrl+C ---
e2e_receiver_start "$bin" || exit 1
before=$(wc -l <"$E2E_RECEIVER_LOG")
e2e_xdo click --delay 0 9
# A left click after it: once it has arrived, so has everything sent before.
clicks=$(e2e_count "$E2E_RECEIVER_LOG" "LBUTTONUP")
e2e_xdo click --delay 0 1
e2e_wait_count "$E2E_RECEIVER_LOG" "LBUTTONUP" $((clicks + 1)) 10
sleep 0.3
got=$(tail -n +"$((before + 1))" "$E2E_RECEIVER_LOG" | cut -d' ' -f2- |
    grep -vE "^(MOUSEMOVE|LBUTTONDOWN|LBUTTONUP)" | paste -sd, -)
e2e_check "forward_press_is_ctrl_c_only" "$got" "KEYDOWN 17,KEYDOWN 67,KEYUP 67,KEYUP 17"

# --- A second start exits at once and brings the first one forward -----------------
start=$SECONDS
timeout 60 wine "$app/Vela.exe" >"$E2E_WORK/second.out" 2>"$E2E_WORK/second.err"
e2e_check "second_start_exits" "$?" 0
e2e_log "second start ended after $((SECONDS - start)) s"
log=$(probe texts)
e2e_check "first_window_shown_by_second_start" "$(value_of "$log" visible)" 1
e2e_check "one_window_after_second_start" "$(value_of "$(probe count)" count)" 1
e2e_check "one_process_after_second_start" "$(vela_processes)" 1

# --- A description typed in the entry dialog is in the file after the next save -----
# The receiver stays on top of everything: start over without it, with an
# argument so the window stays up.
timeout 20 wineserver -k >/dev/null 2>&1
e2e_start vela-shown "$app/Vela.exe" shown
window=$(e2e_wait_vela_window)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"

# Neither Escape nor Enter closes or hides the window.
e2e_xdo mousemove $((X + 100)) $((Y + 420))
e2e_xdo click 1
e2e_xdo key Escape
e2e_xdo key Return
e2e_xdo key KP_Enter
sleep 0.3
log=$(probe texts)
e2e_check "escape_and_enter_leave_window_up" "$(value_of "$log" window)/$(value_of "$log" visible)" \
    "1/1"

# The skin's background drags the window.
e2e_xdo mousedown 1
for step in 1 2 3 4 5; do
    e2e_xdo mousemove $((X + 100 + step * 8)) $((Y + 420 + step * 6))
    sleep 0.05
done
e2e_xdo mouseup 1
sleep 0.3
old_x=$X old_y=$Y
eval "$(xdotool getwindowgeometry --shell "$window")"
e2e_check "background_drag_moves_window" "$((X - old_x)),$((Y - old_y))" "40,30"

read -r lx ly <<<"$(centre_of 'g.label_rect(0, 3)')"  # X2's label
e2e_xdo mousemove $((X + lx)) $((Y + ly))
e2e_xdo click 1
sleep 0.5
import -window root "$E2E_WORK/entry-dialog.png"
e2e_xdo type --delay 15 "Back to the list"
e2e_xdo key KP_Enter
sleep 0.3
log=$(probe texts)
e2e_check "label_shows_typed_description" "$(text_of "$log" 1017)" "Back to the list"
read -r sx sy <<<"$(layout '(g.SAVE_X + g.SAVE_W // 2, g.SAVE_Y + g.SAVE_H // 2)')"
e2e_xdo mousemove $((X + sx)) $((Y + sy))
e2e_xdo click 1
for _ in $(seq 1 100); do
    [[ "$(ini_value X2ButtonSetting 8)" == "Back to the list" ]] && break
    sleep 0.05
done
e2e_check "typed_description_saved" "$(ini_value X2ButtonSetting 8)" "Back to the list"
e2e_check "saved_X1_still_copy" "$(ini_value X1ButtonSetting 0)/$(ini_value X1ButtonSetting 3)" \
    "Copy/67"
e2e_check "save_and_exit_hides" "$(value_of "$(probe texts)" visible)" 0

# --- Twenty starts at once leave exactly one Vela running ---------------------------
timeout 20 wineserver -k >/dev/null 2>&1
sleep 1
e2e_check "none_left_before_twenty" "$(vela_processes)" 0
for i in $(seq 1 20); do
    e2e_start "crowd$i" "$app/Vela.exe" crowd
done
# Every start but one ends by itself: wait until only one of their timeout
# wrappers is left, and stays so.
wrappers() {
    local n
    n=$(pgrep -fc "^timeout [0-9]+ wine $app/Vela.exe crowd") || true
    echo "${n:-0}"
}
steady=0
for _ in $(seq 1 900); do
    if (($(wrappers) <= 1)); then steady=$((steady + 1)); else steady=0; fi
    ((steady >= 20)) && break
    sleep 0.1
done
sleep 2
e2e_check "one_process_after_twenty_starts" "$(vela_processes)" 1
e2e_check "one_window_after_twenty_starts" "$(value_of "$(probe count)" count)" 1

e2e_finish
