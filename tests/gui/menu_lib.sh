#!/usr/bin/env bash
# Helpers for driving the function menu with xdotool, on top of the shared
# Wine test helpers (tests/e2e/lib.sh). Wine draws each open menu level as a
# top-level X window with a 3-pixel frame and rows of equal height.

source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

MENU_FRAME=3
MENU_BASE_WINDOWS=""

# Visible X windows other than the root and the program's own window, i.e.
# the open menu levels, oldest first.
menu_windows() {
    xdotool search --onlyvisible --name '' 2>/dev/null | sort -n | while read -r w; do
        [[ " $MENU_BASE_WINDOWS " == *" $w "* ]] || echo "$w"
    done
}

# menu_click_caption LOG CONTROL — clicks a caption button whose screen
# rectangle the program logged as "button ID LEFT TOP RIGHT BOTTOM".
menu_click_caption() {
    local log=$1 id=$2 l t r b
    read -r l t r b < <(grep -aE "^.?button $id " "$log" | tail -1 | tr -d '\r' | awk '{print $3, $4, $5, $6}')
    MENU_BASE_WINDOWS=$(xdotool search --onlyvisible --name '' 2>/dev/null | tr '\n' ' ')
    e2e_xdo mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

# menu_wait_window N — waits until N menu levels are open; prints the newest.
menu_wait_window() {
    local want=$1 i list
    for ((i = 0; i < 150; i++)); do
        list=$(menu_windows)
        if (($(printf '%s\n' "$list" | grep -c .) >= want)); then
            printf '%s\n' "$list" | sed -n "${want}p"
            return 0
        fi
        sleep 0.02
    done
    e2e_log "menu level $want did not open"
    return 1
}

# menu_row_point WINDOW ROW ROWS — screen point in the middle of a row.
menu_row_point() {
    local w=$1 row=$2 rows=$3 x y width height
    eval "$(xdotool getwindowgeometry --shell "$w")"
    x=$((X + WIDTH / 2))
    local rowHeight=$(((HEIGHT - 2 * MENU_FRAME) / rows))
    y=$((Y + MENU_FRAME + row * rowHeight + rowHeight / 2))
    echo "$x $y"
}

menu_hover_row() {
    local x y
    read -r x y < <(menu_row_point "$@")
    e2e_xdo mousemove "$x" "$y"
    sleep 0.25
}

# Moves horizontally into a newly opened submenu first, so the pointer never
# crosses another row of the parent on its way.
menu_slide_into() {
    local w=$1 row=$2 rows=$3 x y
    read -r x y < <(menu_row_point "$w" 0 "$rows")
    eval "$(xdotool getwindowgeometry --shell "$w")"
    e2e_xdo mousemove "$((X + 10))" "$y"
    sleep 0.1
    menu_hover_row "$w" "$row" "$rows"
}

# ---- Vela.exe ---------------------------------------------------------------

MENU_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# menu_start_vela APP_DIR — starts Vela.exe visible and waits for its window;
# sets VELA_X and VELA_Y to the window's top-left corner.
menu_start_vela() {
    local app=$1 window=""
    e2e_start vela "$app/Vela.exe" shown
    window=$(e2e_wait_vela_window)
    [[ -n "$window" ]] || { e2e_log "Vela's window did not show"; return 1; }
    sleep 0.5
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$window")"
    VELA_X=$X VELA_Y=$Y
}

# menu_click_vela_caption "COLUMN, ROW" — clicks a caption button of the skin
# at its place in the layout the dialog is generated from.
menu_click_vela_caption() {
    local x y w h
    read -r x y w h <<<"$(cd "$MENU_ROOT/resources" &&
        python3 -c "import generate as g; print(*g.caption_rect($1))")"
    MENU_BASE_WINDOWS=$(xdotool search --onlyvisible --name '' 2>/dev/null | tr '\n' ' ')
    e2e_xdo mousemove $((VELA_X + x + w / 2)) $((VELA_Y + y + h / 2))
    sleep 0.2
    e2e_xdo click 1
}

# menu_caption_text BIN CONTROL — a control's text as another program sees it.
menu_caption_text() {
    local bin=$1 id=$2 log="$E2E_WORK/probe-$RANDOM.log"
    timeout 30 wine "$bin/WindowProbe.exe" --log "$(e2e_winpath "$log")" --do texts \
        >"$E2E_WORK/probe.out" 2>"$E2E_WORK/probe.err"
    grep -E "^[0-9]+ text $id( |$)" "$log" | head -n1 | cut -d' ' -f4-
}

# menu_now_ms — a monotonic clock in milliseconds.
menu_now_ms() { echo $(($(date +%s%N) / 1000000)); }
