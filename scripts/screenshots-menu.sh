#!/usr/bin/env bash
# Screenshots of the function menu under Wine in a private Xvfb, the pointer
# moved with real xdotool input as a user's would:
#   menu-root.png                  Vela's window with the menu open under "Forward"
#   menu-word-copy-highlighted.png "Combination" > "Word " open, "Copy(Ctrl+C)" under the pointer
#   menu-win8.png                  the menu as Windows 8 shows it (stand-alone menu host),
#                                  "Win8 ShortCut" open
#
#   scripts/screenshots-menu.sh [--bin build/windows/bin] [--out DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/bin" out="$root/build/screenshots-menu"
while (($#)); do
    case $1 in
        --bin) bin=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done
[[ -f "$bin/Vela.exe" && -f "$bin/menu_host.exe" ]] ||
    { echo "no Vela.exe and menu_host.exe in $bin: build the Windows configuration first" >&2; exit 2; }
bin=$(cd "$bin" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
source "$root/tests/gui/menu_lib.sh"

e2e_init "$out/work"
e2e_start_xvfb || exit 1
e2e_fresh_prefix || exit 1

# shoot NAME X Y W H: that part of the screen.
shoot() {
    import -window root -crop "$4x$5+$2+$3" +repage "$out/$1.png"
    e2e_log "saved $out/$1.png"
}

app="$E2E_WORK/app"
rm -rf "$app"
mkdir -p "$app"
cp "$bin"/Vela.exe "$bin"/*.dll "$app"/
menu_start_vela "$app" || exit 1
menu_click_vela_caption "0, 2"  # X1, "Forward"
rootmenu=$(menu_wait_window 1) || exit 1
e2e_xdo mousemove "$((VELA_X + 318))" "$((VELA_Y + 40))"  # off the menu: nothing highlighted
sleep 0.4
shoot menu-root "$VELA_X" "$VELA_Y" 636 468

menu_hover_row "$rootmenu" 3 7  # Combination
combination=$(menu_wait_window 2) || exit 1
menu_slide_into "$combination" 0 2  # Word
word=$(menu_wait_window 3) || exit 1
menu_slide_into "$word" 0 8  # Cut(Ctrl+X)
menu_hover_row "$word" 1 8  # Copy(Ctrl+C)
sleep 0.4
shoot menu-word-copy-highlighted "$VELA_X" "$VELA_Y" 636 468
e2e_xdo key Escape Escape Escape
timeout 20 wineserver -k >/dev/null 2>&1 || true

log="$E2E_WORK/host.log"
rm -f "$log"
e2e_start host "$bin/menu_host.exe" "$(e2e_winpath "$log")" --win8
e2e_wait_line "$log" '^.?ready' 30 || exit 1
menu_click_caption "$log" 1002
rootmenu=$(menu_wait_window 1) || exit 1
menu_hover_row "$rootmenu" 7 8  # Win8 ShortCut
win8=$(menu_wait_window 2) || exit 1
menu_slide_into "$win8" 0 8  # Charms Bar
menu_hover_row "$win8" 7 8  # Switch Apps
sleep 0.4
shoot menu-win8 0 0 480 480
e2e_xdo key Escape Escape
e2e_log "screenshots in $out"
