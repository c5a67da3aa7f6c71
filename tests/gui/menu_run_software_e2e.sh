#!/usr/bin/env bash
# "Run Software" through the real menu of Vela.exe under Wine: the back
# button's caption opens the menu, "Office Used" > "Run Software" opens the
# file dialog, a program with a 25-character file name is chosen. Checks the
# shortened caption, the settings file, and that a physical back press then
# starts that program.
#
#   menu_run_software_e2e.sh --bin FOLDER_WITH_VELA_AND_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/menu_lib.sh"

e2e_begin "$@"
e2e_app_folder
mkdir -p "$app/tools"
program="$app/tools/VeryLongProgramNameXY.exe"  # 25 characters with ".exe"
cp "$bin/menu_launch_probe.exe" "$program"
winprogram=$(e2e_winpath "$program")

menu_start_vela "$app" || exit 1
menu_click_vela_caption "0, 3"  # X2, "Back"
rootmenu=$(menu_wait_window 1) || exit 1
menu_hover_row "$rootmenu" 2 7  # Office Used
office=$(menu_wait_window 2) || exit 1
menu_slide_into "$office" 0 4  # Zoom In
menu_hover_row "$office" 3 4  # Run Software
e2e_xdo click 1

dialog=""
for _ in $(seq 1 200); do
    dialog=$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -n1)
    [[ -n "$dialog" ]] && break
    sleep 0.05
done
e2e_check "file_dialog_opened" "$([[ -n "$dialog" ]] && echo yes)" yes
sleep 0.5
import -window root "$E2E_WORK/file-dialog.png"
# The file name box has the focus when the dialog opens.
e2e_xdo type --delay 10 "$winprogram"
e2e_xdo key Return

for _ in $(seq 1 200); do
    [[ "$(e2e_ini_value "$settings" X2ButtonSetting 5)" == "$winprogram" ]] && break
    sleep 0.02
done
x2() { e2e_ini_value "$settings" X2ButtonSetting "$1"; }
e2e_check "saved_X2_launch" "0=$(x2 0) 1=$(x2 1) 2=$(x2 2) 5=$(x2 5) 6=$(x2 6)" \
    "0=VeryLongProgramNam.. 1=1 2=5 5=$winprogram 6=1"
e2e_check "X2_caption_shortened" "$(menu_caption_text "$bin" 1003)" "VeryLongProgramNam.."

# A physical back press now starts the program.
rm -f "$program.started"
e2e_xdo mousemove "$((VELA_X + 318))" "$((VELA_Y + 40))"
e2e_xdo click --delay 0 8
for _ in $(seq 1 300); do
    [[ -f "$program.started" ]] && break
    sleep 0.05
done
e2e_check "back_press_started_the_program" "$([[ -f "$program.started" ]] && echo yes)" yes

e2e_finish
