#!/usr/bin/env bash
# Screenshots of Vela under Wine in a private Xvfb display:
#   first-start.png   the window as a user first sees it (no settings file yet)
#   caption-hover.png the pointer resting on the "Right Button" caption
#   save-hover.png    the pointer resting on SAVE AND EXIT (its brighter look)
#   description.png   the description entry open over the window, text typed
#   *-window.png      the same, cut to the window
#
#   scripts/screenshots.sh [BIN_DIR] [OUT_DIR]
#
# BIN_DIR holds Vela.exe and the hook libraries (default build/windows/bin);
# pictures go to OUT_DIR (default build/screenshots).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/windows/bin}" && pwd)
out=$(mkdir -p "${2:-$root/build/screenshots}" && cd "${2:-$root/build/screenshots}" && pwd)

# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"
e2e_init "$out/work"
e2e_start_xvfb
e2e_fresh_prefix

# Vela writes its settings beside itself: run a copy, never the build output.
app="$E2E_WORK/app"
rm -rf "$app"
mkdir -p "$app"
cp "$bin"/Vela.exe "$bin"/*.dll "$app"/

# Control places come from the layout the skin is drawn from.
layout() { (cd "$root/resources" && python3 -c "import generate as g; print(*$1)"); }
read -r rx ry rw rh <<<"$(layout 'g.caption_rect(1, 0)')"
read -r lx ly lw lh <<<"$(layout 'g.label_rect(1, 0)')"

shoot() {
    local name=$1
    sleep 0.4
    import -window root "$out/$name.png"
    if [[ -n "${win_geometry:-}" ]]; then
        convert "$out/$name.png" -crop "$win_geometry" +repage "$out/$name-window.png"
    fi
    e2e_log "wrote $out/$name.png"
}

e2e_start vela "$app/Vela.exe" screenshots
window=""
for _ in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --name '^Vela$' 2>/dev/null | head -n1) && [[ -n "$window" ]] && break
    sleep 0.05
done
[[ -n "$window" ]] || { e2e_log "Vela's window did not appear"; exit 1; }
sleep 0.3  # let the window settle where it centres itself
eval "$(xdotool getwindowgeometry --shell "$window")"
win_geometry="${WIDTH}x${HEIGHT}+${X}+${Y}"
e2e_xdo mousemove 5 5
shoot first-start

e2e_xdo mousemove $((X + rx + rw / 2)) $((Y + ry + rh / 2))
shoot caption-hover

read -r sx sy <<<"$(layout '(g.SAVE_X + g.SAVE_W // 2, g.SAVE_Y + g.SAVE_H // 2)')"
e2e_xdo mousemove $((X + sx)) $((Y + sy))
shoot save-hover

e2e_xdo mousemove $((X + lx + lw / 2)) $((Y + ly + lh / 2))
e2e_xdo click 1
sleep 0.5
e2e_xdo type --delay 20 "Copy in every editor"
e2e_xdo mousemove 5 5
shoot description
e2e_xdo key Escape
