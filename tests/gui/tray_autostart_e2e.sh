#!/usr/bin/env bash
# Starting with Windows, end to end: a user who never chose gets the Run entry
# (quoted: Vela's folder here has blanks) and a checked "Start With Windows";
# choosing it twice returns both stores to where they were; a start from the
# Run entry, made as the shell makes it, has an empty command line and so
# hides in the tray; a stale entry goes at the next start when the user chose
# off.
#
#   tray_autostart_e2e.sh --bin FOLDER_WITH_VELA_AND_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/gui/tray_lib.sh
source "$here/tray_lib.sh"
e2e_parse_args "$@"

tray_setup "Vela with blanks"
quoted="\"$(e2e_winpath "$app/Vela.exe")\""

# --- A fresh profile: the Run entry is made and the menu shows it on ------------
tray_start_vela shown || exit 1
sleep 0.5
first_boot=$(tray_reg "$tray_kestrel_profile" BootValue)
first_run=$(tray_reg "$tray_kestrel_run" Kestrel)
e2e_check "fresh_profile_has_no_boot_value" "$first_boot" "-"
e2e_check "fresh_profile_run_value_is_quoted_path" "$first_run" "$quoted"

tray_open_menu 3 || exit 1
import -window root "$E2E_WORK/menu-on.png"
e2e_check "menu_start_with_windows_checked" "$(tray_checked 3 "$E2E_WORK/menu-on.png")" 1
e2e_check "menu_reset_not_checked" "$(tray_checked 2 "$E2E_WORK/menu-on.png")" 0

# --- Off: both stores change ------------------------------------------------------
tray_choose 3
sleep 0.3
e2e_check "off_boot_value" "$(tray_reg "$tray_kestrel_profile" BootValue)" "1"
e2e_check "off_run_value_deleted" "$(tray_reg "$tray_kestrel_run" Kestrel)" "-"
tray_open_menu 3 || exit 1
import -window root "$E2E_WORK/menu-off.png"
e2e_check "menu_start_with_windows_unchecked" "$(tray_checked 3 "$E2E_WORK/menu-off.png")" 0

# --- On again: back to the first state ("0" reads as the missing value does) ------
tray_choose 3
sleep 0.3
e2e_check "on_again_boot_value" "$(tray_reg "$tray_kestrel_profile" BootValue)" "0"
e2e_check "on_again_run_value_as_first" "$(tray_reg "$tray_kestrel_run" Kestrel)" "$first_run"

# --- A start from the Run entry, as the shell makes it: hidden in the tray -----------
timeout 20 wineserver -k >/dev/null 2>&1
sleep 0.5
e2e_check "none_running_before_autostart" "$(vela_processes)" 0
log=$(tray_probe run-autostart)
e2e_check "shell_ran_the_run_value" "$(grep -E '^[0-9]+ run ' "$log" | cut -d' ' -f3-)" "$quoted"
e2e_check "shell_started_vela" "$(grep -E '^[0-9]+ started ' "$log" | awk '{print $3}')" 1
tray_wait_icon
visible=1
for _ in $(seq 1 40); do
    visible=$(tray_visible)
    [[ "$visible" == 0 ]] && break
    sleep 0.1
done
e2e_check "autostarted_window_hidden" "$visible" 0
e2e_check "autostarted_has_tray_icon" "$(grep -E '^[0-9]+ icon ' "$(tray_probe icon)" | awk '{print $3}')" 1
e2e_check "autostarted_one_process" "$(vela_processes)" 1

# --- Off, then a stale Run value: the profile wins at the next start ----------------
tray_open_menu 3 || exit 1
tray_choose 3
sleep 0.3
timeout 20 wineserver -k >/dev/null 2>&1
timeout 30 wine reg add "$tray_kestrel_run" /v Kestrel /t REG_SZ /d "$quoted" /f \
    >"$E2E_WORK/reg-add.out" 2>&1
e2e_check "stale_run_value_in_place" "$(tray_reg "$tray_kestrel_run" Kestrel)" "$quoted"
tray_start_vela shown || exit 1
sleep 0.5
e2e_check "stale_run_value_removed_at_start" "$(tray_reg "$tray_kestrel_run" Kestrel)" "-"
e2e_check "profile_still_off" "$(tray_reg "$tray_kestrel_profile" BootValue)" "1"

e2e_finish
