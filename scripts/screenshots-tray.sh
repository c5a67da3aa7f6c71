#!/usr/bin/env bash
# Screenshots of Vela's notification-area icon and its menu under Wine in a
# private Xvfb display (no taskbar: Wine's own "Wine System Tray" window near
# the top-left corner holds the icon):
#   tray-menu.png          the whole screen, the window shown, the menu open
#   tray-menu-zoom.png     the tray and the menu, three times enlarged
#   tray-menu-off-zoom.png the same after "Start With Windows" was chosen (no check)
#
#   scripts/screenshots-tray.sh [BIN_DIR] [OUT_DIR]
#
# BIN_DIR holds Vela.exe, the hook libraries and WindowProbe.exe (default
# build/windows/bin); pictures go to OUT_DIR (default build/screenshots).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/windows/bin}" && pwd)
out=$(mkdir -p "${2:-$root/build/screenshots}" && cd "${2:-$root/build/screenshots}" && pwd)
work="$out/work-tray"

# shellcheck source=../tests/gui/tray_lib.sh
source "$root/tests/gui/tray_lib.sh"
tray_setup app

zoom() {
    local png=$1 name=$2 w=$((TRAY_MENU_X + TRAY_MENU_W + 20)) h=$((TRAY_MENU_Y + TRAY_MENU_H + 20))
    convert "$png" -crop "${w}x${h}+0+0" +repage -filter point -resize 300% "$out/$name"
    e2e_log "wrote $out/$name"
}

tray_start_vela screenshots
sleep 0.5
tray_open_menu 3
sleep 0.3
import -window root "$out/tray-menu.png"
e2e_log "wrote $out/tray-menu.png"
zoom "$out/tray-menu.png" tray-menu-zoom.png

tray_choose 3
sleep 0.3
tray_open_menu 3
sleep 0.3
import -window root "$E2E_WORK/off.png"
zoom "$E2E_WORK/off.png" tray-menu-off-zoom.png
e2e_xdo key Escape
