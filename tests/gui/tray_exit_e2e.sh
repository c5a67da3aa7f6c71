#!/usr/bin/env bash
# Saving and ending, end to end: three assignment commands within 10 ms give
# one save (commands spaced wider give one each); the icon comes back after
# the taskbar is created anew; "Exit Application" removes the icon, writes
# the settings file although nothing changed, and ends Vela with code 0.
#
#   tray_exit_e2e.sh --bin FOLDER_WITH_VELA_AND_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/gui/tray_lib.sh
source "$here/tray_lib.sh"
e2e_parse_args "$@"

tray_setup app
root=$(cd "$here/../.." && pwd)
layout() { (cd "$root/resources" && python3 -c "import generate as g; print(*$1)"); }

printf '%s\r\n' '[X1ButtonSetting]' '0=Copy' '1=1' '2=2' '3=67' '4=0' '5=' '6=1' '8=Copies' >"$settings"

tray_start_vela shown || exit 1
vela_pid=$!
window=$(e2e_wait_vela_window 200)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
tray_watch_start || exit 1

# --- A burst of three commands is one save, 10 ms after the last ---------------------
# Clicking the middle button's caption makes it the slot the commands go to
# (not the right button's: its hook would then take the clicks on the icon).
read -r cx cy cw ch <<<"$(layout 'g.caption_rect(0, 0)')"
e2e_xdo mousemove $((X + cx + cw / 2)) $((Y + cy + ch / 2))
sleep 0.2
e2e_xdo click 1
sleep 0.5
e2e_xdo key Escape
sleep 0.3
e2e_check "no_save_from_opening_the_menu" "$(tray_saves)" 0
# Copy, Cut, Paste, posted back to back as the menu would post them.
log=$(tray_probe post --ids 24,23,25)
e2e_check "burst_posted" "$(grep -E '^[0-9]+ posted ' "$log" | awk '{print $3}')" 3
sleep 1
e2e_check "burst_gives_one_save" "$(tray_saves)" 1
e2e_check "burst_last_command_saved" "$(tray_ini_value MButtonSetting 0)/$(tray_ini_value MButtonSetting 3)" \
    "Paste/86"
# The same three commands, each on its own: three saves.
for id in 24 23 25; do
    tray_probe post --ids "$id" >/dev/null
    sleep 0.2
done
sleep 0.5
e2e_check "spaced_commands_save_each" "$(tray_saves)" 4

# --- The taskbar created anew: the icon comes back ------------------------------------
log=$(tray_probe taskbar-restart)
e2e_check "icon_gone_with_the_taskbar" "$(grep -E '^[0-9]+ icon ' "$log" | awk '{print $3}')" 0
icon=0
for _ in $(seq 1 20); do
    icon=$(grep -E '^[0-9]+ icon ' "$(tray_probe icon)" | awk '{print $3}')
    [[ "$icon" == 1 ]] && break
    sleep 0.1
done
e2e_check "icon_added_again" "$icon" 1
# Wine maps its tray window again a moment after the icon is back.
tray_wait_icon
sleep 0.5

# --- Exit: icon removed, file written although unchanged, code 0 ----------------------
cp "$settings" "$E2E_WORK/before-exit.ini"
saves=$(tray_saves)
tray_open_menu 3 || exit 1
tray_choose 4
status=timeout
for _ in $(seq 1 100); do
    if ! kill -0 "$vela_pid" 2>/dev/null; then
        wait "$vela_pid"
        status=$?
        break
    fi
    sleep 0.05
done
sleep 0.3
e2e_check "exit_code_zero" "$status" 0
e2e_check "exit_leaves_no_vela" "$(vela_processes)" 0
e2e_check "exit_saves_once" "$(($(tray_saves) - saves))" 1
cmp -s "$settings" "$E2E_WORK/before-exit.ini"
e2e_check "exit_rewrote_the_same_settings" "$?" 0
e2e_check "exit_kept_the_assignment" "$(tray_ini_value X1ButtonSetting 0)/$(tray_ini_value X1ButtonSetting 8)" \
    "Copy/Copies"
gone=0
for _ in $(seq 1 40); do
    [[ -z "$(tray_window)" ]] && { gone=1; break; }
    sleep 0.05
done
e2e_check "exit_removes_the_icon" "$gone" 1

e2e_finish
