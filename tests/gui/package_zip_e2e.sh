#!/usr/bin/env bash
# The portable zip, end to end: built by CPack, it holds exactly Vela.exe, the
# hook libraries, the example macro and the README; unpacked into a fresh
# folder, Vela.exe starts from there under Wine, shows its window, plays the
# example macro on the forward button, and a second start ends at once.
#
#   package_zip_e2e.sh --cpack CPACK --config BUILD/CPackConfig.cmake \
#       --bin FOLDER_WITH_HELPERS --work WORK_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cpack=cpack config="" bin="" work=""
while (($#)); do
    case $1 in
        --cpack) cpack=$2; shift 2 ;;
        --config) config=$2; shift 2 ;;
        --bin) bin=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done
[[ -n "$config" && -n "$bin" && -n "$work" ]] ||
    { echo "usage: $0 --config CPackConfig.cmake --bin DIR --work DIR" >&2; exit 2; }
bin=$(cd "$bin" && pwd)
work=$(mkdir -p "$work" && cd "$work" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"
# shellcheck source=tests/e2e/programs.sh
source "$root/tests/e2e/programs.sh"
e2e_init "$work"

# --- The zip and what is in it --------------------------------------------------------
rm -rf "$work/package"
"$cpack" -G ZIP --config "$config" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { tail -n 20 "$work/cpack.log"; exit 1; }
zip=$(find "$work/package" -maxdepth 1 -name 'Vela-*-win64.zip' | head -n1)
e2e_check "zip_built" "$([[ -f "$zip" ]] && echo 1 || echo 0)" 1
[[ -f "$zip" ]] || exit 1
top=$(basename "$zip" .zip)
expected=$(printf '%s\n' ClickTrapM.dll ClickTrapR.dll ClickTrapWD.dll ClickTrapWL.dll \
    ClickTrapWR.dll ClickTrapWU.dll ClickTrapX1.dll ClickTrapX2.dll README.md \
    ScriptsMacros/SelectAllCopy.txt SwitchTrap.dll Vela.exe VelaHooks.dll | paste -sd' ')
files=$(unzip -Z1 "$zip" | grep -v '/$' | sed "s|^$top/||" | LC_ALL=C sort | paste -sd' ')
e2e_check "zip_holds_exactly_the_program" "$files" "$expected"

# A fresh folder, blanks in its name, nothing of the build beside it.
app="$work/unpacked here"
rm -rf "$app"
mkdir -p "$app"
unzip -q "$zip" -d "$app"
app="$app/$top"
cmp -s "$app/README.md" "$root/README.md"
e2e_check "zip_readme_is_the_readme" "$?" 0

# --- Vela runs from the unpacked folder ------------------------------------------------
e2e_start_xvfb || exit 1
e2e_fresh_prefix || exit 1
# The forward button plays the example macro.
printf '%s\r\n' '[X1ButtonSetting]' '0=Select All+Copy' '1=1' '2=6' '3=0' '4=0' '5=' '6=1' \
    '7=SelectAllCopy.txt' '8=' \
    '[MButtonSetting]' '0=M' '1=1' '2=6' '3=0' '4=0' '5=' '6=1' '7=Middle.txt' '8=' \
    >"$app/QmSetting.ini"
# The middle button's own script, told apart from the forward button's.
printf '%s\r\n' 'KeyDown 77' 'KeyUp 77' >"$app/ScriptsMacros/Middle.txt"
e2e_start vela "$app/Vela.exe" shown
window=$(e2e_wait_vela_window)
e2e_check "unpacked_vela_shows_its_window" "$([[ -n "$window" ]] && echo 1 || echo 0)" 1
probe_log="$E2E_WORK/probe.log"
timeout 30 wine "$bin/WindowProbe.exe" --log "$(e2e_winpath "$probe_log")" --do texts \
    >"$E2E_WORK/probe.out" 2>"$E2E_WORK/probe.err"
e2e_check "unpacked_vela_read_its_settings" \
    "$(grep -E '^[0-9]+ text 1002 ' "$probe_log" | head -n1 | cut -d' ' -f4-)" "Select All+Copy"

e2e_receiver_start "$bin" || exit 1
e2e_xdo click --delay 0 9
want="KEYDOWN 17,KEYDOWN 65,KEYUP 65,KEYUP 17,KEYDOWN 17,KEYDOWN 67,KEYUP 67,KEYUP 17"
e2e_wait_count "$E2E_RECEIVER_LOG" "KEYUP 17" 2 10
sleep 0.3
got=$(cut -d' ' -f2- "$E2E_RECEIVER_LOG" | grep -E "^(KEY|SYSKEY|XBUTTON)" | paste -sd, -)
e2e_check "example_macro_plays_on_forward" "$got" "$want"

# The playback timers: id 2 plays the middle button's script on the window's
# own thread, an id Vela does not use does nothing.
before=$(wc -l <"$E2E_RECEIVER_LOG")
timeout 30 wine "$bin/tray_probe.exe" --log "$(e2e_winpath "$E2E_WORK/timer.log")" --do timer \
    --ids 9,0,2 >"$E2E_WORK/timer.out" 2>&1
e2e_wait_line "$E2E_RECEIVER_LOG" "KEYUP 77$" 10
sleep 0.3
got=$(tail -n +"$((before + 1))" "$E2E_RECEIVER_LOG" | cut -d' ' -f2- |
    grep -E "^(KEY|SYSKEY|XBUTTON|MBUTTON)" | paste -sd, -)
e2e_check "timer_2_plays_middle_script_only" "$got" "KEYDOWN 77,KEYUP 77"

start=$SECONDS
timeout 60 wine "$app/Vela.exe" >"$E2E_WORK/second.out" 2>"$E2E_WORK/second.err"
e2e_check "second_start_exits_at_once" "$?/$((SECONDS - start < 20))" "0/1"
n=$(pgrep -fc "^$app/Vela.exe") || true
e2e_check "one_unpacked_vela_running" "${n:-0}" 1

e2e_finish
