#!/usr/bin/env bash
# Screenshots of the function menu under Wine in a private Xvfb: the open root
# menu, and "Combination" > "Word " open with "Copy(Ctrl+C)" under the pointer.
#
#   scripts/screenshots-menu.sh --host PATH/menu_host.exe [--out DIR] [--work DIR]
#
# The pointer moves with real xdotool input, as a user's would.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host="" out="$root/build-D/screenshots" work=""
while (($#)); do
    case $1 in
        --host) host=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        --work) work=$2; shift 2 ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done
[[ -f "$host" ]] || { echo "usage: $0 --host PATH/menu_host.exe [--out DIR]" >&2; exit 2; }
host=$(cd "$(dirname "$host")" && pwd)/$(basename "$host")
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=${work:-$out/work}
mkdir -p "$work"
work=$(cd "$work" && pwd)
source "$root/tests/gui/menu_lib.sh"

e2e_init "$work"
e2e_start_xvfb
e2e_fresh_prefix

shoot() {  # shoot NAME: the top-left 640x480, where the host and its menus sit
    import -window root -crop 640x480+0+0 +repage "$out/$1.png"
    e2e_log "saved $out/$1.png"
}

for variant in plain win8; do
    log="$work/host-$variant.log"
    rm -f "$log"
    args=("$(e2e_winpath "$log")")
    [[ $variant == win8 ]] && args+=(--win8)
    e2e_start "host-$variant" "$host" "${args[@]}"
    e2e_wait_line "$log" '^.?ready' 30

    menu_click_caption "$log" 1002  # X1, "Forward"
    rootmenu=$(menu_wait_window 1) || exit 1
    e2e_xdo mousemove 300 420  # off the menu: no row highlighted
    sleep 0.3
    shoot "menu-root-$variant"

    if [[ $variant == plain ]]; then
        menu_hover_row "$rootmenu" 3 7  # Combination
        combination=$(menu_wait_window 2) || exit 1
        menu_slide_into "$combination" 0 2  # Word
        word=$(menu_wait_window 3) || exit 1
        menu_slide_into "$word" 0 8  # Cut(Ctrl+X)
        menu_hover_row "$word" 1 8  # Copy(Ctrl+C)
        sleep 0.4
        shoot "menu-word-copy-highlighted"
    fi
    e2e_xdo key Escape Escape Escape
    timeout 20 wineserver -k >/dev/null 2>&1 || true
done
e2e_log "screenshots in $out"
