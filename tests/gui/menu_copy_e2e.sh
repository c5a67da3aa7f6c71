#!/usr/bin/env bash
# A user gives the forward button "Copy" through the function menu of the
# real Vela.exe under Wine: a click on the X1 caption, then the pointer
# through "Combination" > "Word " > "Copy(Ctrl+C)". Checks the caption, the
# settings file within a second, and that a physical forward press then
# reaches the focused window as Control+C and nothing else.
#
#   menu_copy_e2e.sh --bin FOLDER_WITH_VELA_AND_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/menu_lib.sh"
source "$here/../e2e/programs.sh"

e2e_begin "$@"

e2e_app_folder

menu_start_vela "$app" || exit 1
e2e_check "X1_native_before" "$(menu_caption_text "$bin" 1002)" "Forward"

menu_click_vela_caption "0, 2"  # X1
rootmenu=$(menu_wait_window 1) || exit 1
menu_hover_row "$rootmenu" 3 7  # Combination
combination=$(menu_wait_window 2) || exit 1
menu_slide_into "$combination" 0 2  # Word
word=$(menu_wait_window 3) || exit 1
menu_slide_into "$word" 0 8  # Cut(Ctrl+X)
menu_hover_row "$word" 1 8  # Copy(Ctrl+C)
import -window root "$E2E_WORK/menu-before-choice.png"
chosen=$(menu_now_ms)
e2e_xdo click 1

saved_after=""
for _ in $(seq 1 200); do
    if [[ "$(e2e_ini_value "$settings" X1ButtonSetting 0)" == "Copy" ]]; then
        saved_after=$(($(menu_now_ms) - chosen))
        break
    fi
    sleep 0.01
done
e2e_log "settings file had X1 = Copy ${saved_after:-never} ms after the click"
e2e_check "saved_within_a_second" "$([[ -n "$saved_after" ]] && ((saved_after < 1000)) && echo yes)" yes
x1() { e2e_ini_value "$settings" X1ButtonSetting "$1"; }
e2e_check "saved_X1_values" "0=$(x1 0) 1=$(x1 1) 2=$(x1 2) 3=$(x1 3) 6=$(x1 6)" \
    "0=Copy 1=1 2=2 3=67 6=1"
e2e_check "menu_closed" "$(menu_windows | grep -c .)" 0
e2e_check "X1_caption_copy" "$(menu_caption_text "$bin" 1002)" "Copy"
e2e_check "other_captions_unchanged" \
    "$(menu_caption_text "$bin" 1000)/$(menu_caption_text "$bin" 1003)" "Right Button/Back"

# A physical forward press now reaches the focused window as Control+C.
e2e_receiver_start "$bin" || exit 1
before=$(wc -l <"$E2E_RECEIVER_LOG")
e2e_xdo click --delay 0 9
clicks=$(e2e_count "$E2E_RECEIVER_LOG" "LBUTTONUP")
e2e_xdo click --delay 0 1  # once this has arrived, so has everything before it
e2e_wait_count "$E2E_RECEIVER_LOG" "LBUTTONUP" $((clicks + 1)) 10
sleep 0.3
got=$(tail -n +"$((before + 1))" "$E2E_RECEIVER_LOG" | cut -d' ' -f2- |
    grep -vE "^(MOUSEMOVE|LBUTTONDOWN|LBUTTONUP)" | paste -sd, -)
e2e_check "forward_press_is_ctrl_c_only" "$got" "KEYDOWN 17,KEYDOWN 67,KEYUP 67,KEYUP 17"

e2e_finish
