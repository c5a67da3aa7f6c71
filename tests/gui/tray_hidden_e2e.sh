#!/usr/bin/env bash
# Living in the tray, end to end: with an empty command line the window hides
# and only the icon is left; the icon's menu opens without showing the window
# and shows or hides it; a double click shows it, a single left click opens
# the menu; the script menu's commands leave everything as it was.
#
#   tray_hidden_e2e.sh --bin FOLDER_WITH_VELA_AND_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/gui/tray_lib.sh
source "$here/tray_lib.sh"
e2e_parse_args "$@"

tray_setup app
root=$(cd "$here/../.." && pwd)

# wait_visible WANT: polls until the window's visibility is WANT; prints it.
wait_visible() {
    local want=$1 now="" _
    for _ in $(seq 1 20); do
        now=$(tray_visible)
        [[ "$now" == "$want" ]] && break
        sleep 0.1
    done
    echo "$now"
}

# --- Started with no argument: hidden, the icon stays --------------------------------
tray_start_vela || exit 1
e2e_check "empty_command_line_hides" "$(wait_visible 0)" 0
e2e_check "hidden_with_tray_icon" "$(grep -E '^[0-9]+ icon ' "$(tray_probe icon)" | awk '{print $3}')" 1

# --- A right click opens the menu and leaves the window hidden ------------------------
tray_open_menu 3 || exit 1
e2e_check "menu_open_window_still_hidden" "$(tray_visible)" 0
tray_choose 1
e2e_check "show_application_shows" "$(wait_visible 1)" 1
tray_open_menu 3 || exit 1
tray_choose 0
e2e_check "hide_application_hides" "$(wait_visible 0)" 0

# --- A double click shows; a single left click opens the menu -------------------------
read -r ix iy <<<"$(tray_icon_point)"
e2e_xdo mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
e2e_check "double_click_shows" "$(wait_visible 1)" 1
e2e_check "double_click_opens_no_menu" "$(xdotool search --onlyvisible --name '' | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    ((HEIGHT > 60 && WIDTH < 300)) && echo "$w"
done | grep -c .)" 0
tray_open_menu 1 || exit 1
e2e_check "left_click_opens_menu" "$((TRAY_MENU_H > 60))" 1
tray_choose 0
e2e_check "left_click_menu_hides" "$(wait_visible 0)" 0

# --- The script menu: its commands do nothing ------------------------------------------
tray_open_menu 3 || exit 1
tray_choose 1
wait_visible 1 >/dev/null
window=$(xdotool search --onlyvisible --name '^Vela$' 2>/dev/null | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r sx sy sw sh <<<"$(cd "$root/resources" && python3 -c 'import generate as g; print(*g.SCRIPTS)')"
before=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort -n | tr '\n' ' ')
e2e_xdo mousemove $((X + sx + sw / 2)) $((Y + sy + sh / 2))
sleep 0.2
e2e_xdo click 1
menu=""
for _ in $(seq 1 100); do
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null | sort -n); do
        [[ " $before " == *" $w "* ]] || menu=$w
    done
    [[ -n "$menu" ]] && break
    sleep 0.02
done
e2e_check "script_menu_opens" "$([[ -n "$menu" ]] && echo 1 || echo 0)" 1
if [[ -n "$menu" ]]; then
    import -window root "$E2E_WORK/script-menu.png"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    # "Exit Program", the last row, below the separator.
    e2e_xdo mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 3 - 8))
    sleep 0.15
    e2e_xdo click 1
    sleep 0.5
fi
e2e_check "exit_program_leaves_vela_running" "$(vela_processes)" 1
e2e_check "exit_program_leaves_window_shown" "$(tray_visible)" 1
e2e_check "no_settings_written_by_the_script_menu" "$([[ -f "$settings" ]] && echo 1 || echo 0)" 0

e2e_finish
