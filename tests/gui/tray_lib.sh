#!/usr/bin/env bash
# Helpers for the tray tests of Vela.exe, on top of tests/e2e/lib.sh. Source
# it after parsing --bin and --work, then:
#
#   tray_setup APP_DIR_NAME      Xvfb, fresh prefix, Vela copied to WORK/APP_DIR_NAME
#   tray_start_vela [ARGS...]    start Vela (no argument: hidden) and wait for its icon
#   tray_icon_point              "X Y" of the icon in Wine's system tray window
#   tray_open_menu [BUTTON]      click the icon, wait for the menu (TRAY_MENU_*)
#   tray_choose ROW              click a row of the open menu (0 Hide … 4 Exit)
#   tray_checked ROW PNG         1 when the row shows a check mark in PNG
#   tray_visible                 1 when Vela's main window is visible
#   tray_probe ACTION ARGS...    run tray_probe.exe; prints its log's name
#   tray_reg KEY VALUE           the value's data as `reg query` prints it, or "-"
#   tray_watch_start             count replacements of QmSetting.ini (inotify)
#   tray_saves                   replacements counted so far
#   vela_processes               running Vela.exe processes of this test
#
# Wine draws the tray menu as a plain menu: a 3-pixel frame, rows of equal
# height and two separators of 9 pixels.

tray_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$tray_root/tests/e2e/lib.sh"

TRAY_WATCH_PID=""
TRAY_MENU_ROWS=(hide show reset autostart exit)
tray_kestrel_run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
tray_kestrel_profile='HKCU\Software\Kestrel\Vela\Kestrel'

tray_cleanup() {
    if [[ -n "$TRAY_WATCH_PID" ]]; then
        kill "$TRAY_WATCH_PID" 2>/dev/null || true
        wait "$TRAY_WATCH_PID" 2>/dev/null || true
        TRAY_WATCH_PID=""
    fi
    e2e_cleanup
}

tray_setup() {
    e2e_init "$work"
    trap tray_cleanup EXIT
    e2e_start_xvfb || exit 1
    e2e_fresh_prefix || exit 1
    e2e_app_folder "$1"
}

# Wine names a process by its Unix path, or by its Windows path when another
# Windows program started it.
vela_processes() {
    local unix="$app/Vela.exe" windows
    windows=$(e2e_winpath "$app/Vela.exe")
    # Through the environment: awk -v would read the backslashes as escapes.
    pgrep -fa "Vela\.exe" | cut -d' ' -f2- |
        U="$unix" W="$windows" awk 'index($0, ENVIRON["U"]) == 1 || index($0, ENVIRON["W"]) == 1 {
            n++ } END { print n + 0 }'
}

tray_window() { xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n1; }

# The first icon sits at the left end of the tray window.
tray_icon_point() {
    local w X Y WIDTH HEIGHT SCREEN WINDOW
    w=$(tray_window)
    [[ -n "$w" ]] || return 1
    eval "$(xdotool getwindowgeometry --shell "$w")"
    echo "$((X + HEIGHT / 2)) $((Y + HEIGHT / 2))"
}

tray_wait_icon() {
    local _
    for _ in $(seq 1 300); do
        [[ -n "$(tray_window)" ]] && return 0
        sleep 0.05
    done
    e2e_log "no tray icon appeared"
    return 1
}

tray_start_vela() {
    e2e_start vela "$app/Vela.exe" "$@"
    tray_wait_icon
}

# tray_open_menu [BUTTON] — sets TRAY_MENU_X, _Y, _W, _H and TRAY_ROW_H.
tray_open_menu() {
    local button=${1:-3} before list w x y _
    before=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort -n | tr '\n' ' ')
    read -r x y <<<"$(tray_icon_point)" || return 1
    e2e_xdo mousemove "$x" "$y" click "$button"
    for _ in $(seq 1 150); do
        w=""
        list=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort -n)
        for candidate in $list; do
            [[ " $before " == *" $candidate "* ]] && continue
            [[ "$(xdotool getwindowname "$candidate" 2>/dev/null)" == "" ]] || continue
            local X Y WIDTH HEIGHT SCREEN WINDOW
            eval "$(xdotool getwindowgeometry --shell "$candidate")"
            # The menu, not the icon's tooltip: five rows and two separators.
            ((HEIGHT > 60)) || continue
            w=$candidate
            TRAY_MENU_X=$X TRAY_MENU_Y=$Y TRAY_MENU_W=$WIDTH TRAY_MENU_H=$HEIGHT
            TRAY_ROW_H=$(((HEIGHT - 2 * 3 - 2 * 9) / 5))
            break
        done
        [[ -n "$w" ]] && return 0
        sleep 0.02
    done
    e2e_log "the tray menu did not open (clicked $x $y; screen in menu-failed.png)"
    import -window root "$E2E_WORK/menu-failed.png"
    return 1
}

# Top of row ROW (0..4) inside the menu; separators after rows 1 and 3.
tray_row_top() {
    local row=$1 top
    top=$((3 + row * TRAY_ROW_H))
    ((row >= 2)) && top=$((top + 9))
    ((row >= 4)) && top=$((top + 9))
    echo "$top"
}

tray_choose() {
    local top
    top=$(tray_row_top "$1")
    e2e_xdo mousemove $((TRAY_MENU_X + TRAY_MENU_W / 2)) $((TRAY_MENU_Y + top + TRAY_ROW_H / 2))
    sleep 0.15
    e2e_xdo click 1
}

# The check mark is drawn left of the text: any dark pixel in that column of
# the row counts (the pointer rests on the frame, so no row is highlighted).
tray_checked() {
    local row=$1 png=$2 top darkest
    top=$(tray_row_top "$row")
    darkest=$(convert "$png" -crop "12x${TRAY_ROW_H}+$((TRAY_MENU_X + 3))+$((TRAY_MENU_Y + top))" \
        +repage -colorspace Gray -format '%[fx:minima]' info:)
    awk -v d="$darkest" 'BEGIN { print (d < 0.5) ? 1 : 0 }'
}

tray_visible() {
    local log="$E2E_WORK/probe-$RANDOM.log"
    timeout 30 wine "$bin/WindowProbe.exe" --log "$(e2e_winpath "$log")" --do texts \
        >"$E2E_WORK/probe.out" 2>"$E2E_WORK/probe.err"
    grep -E "^[0-9]+ visible " "$log" | awk '{print $3}'
}

tray_probe() {
    local action=$1 log="$E2E_WORK/tray-probe-$RANDOM.log"
    shift
    timeout 30 wine "$bin/tray_probe.exe" --log "$(e2e_winpath "$log")" --do "$action" "$@" \
        >"$E2E_WORK/tray-probe.out" 2>"$E2E_WORK/tray-probe.err"
    echo "$log"
}

# Read back through Wine's own reg.exe: user.reg is written only when the
# server stops.
tray_reg() {
    local out="$E2E_WORK/reg-$RANDOM.out" line
    timeout 30 wine reg query "$1" /v "$2" >"$out" 2>"$E2E_WORK/reg.err"
    line=$(tr -d '\r' <"$out" | grep -E "^ +$2 +REG_" | head -n1)
    if [[ -z "$line" ]]; then echo "-"; else sed -E "s/^ +$2 +REG_[A-Z_]+ +//" <<<"$line"; fi
}

# Every save ends in a rename over QmSetting.ini (or, for a first file, a
# close after writing): one line per event, from the kernel, so none is
# missed however close together they come.
tray_watch_start() {
    TRAY_WATCH_LOG="$E2E_WORK/saves.log"
    rm -f "$TRAY_WATCH_LOG"
    python3 -u - "$app" QmSetting.ini >"$TRAY_WATCH_LOG" 2>"$E2E_WORK/watch.err" <<'EOF' &
import ctypes, os, struct, sys, time
folder, name = sys.argv[1], sys.argv[2].encode()
libc = ctypes.CDLL("libc.so.6", use_errno=True)
fd = libc.inotify_init()
IN_CLOSE_WRITE, IN_MOVED_TO = 0x8, 0x80
if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0:
    sys.exit("inotify failed")
print("ready", flush=True)
while True:
    data = os.read(fd, 65536)
    at = 0
    while at < len(data):
        _, mask, _, length = struct.unpack_from("iIII", data, at)
        event = data[at + 16 : at + 16 + length].rstrip(b"\0")
        at += 16 + length
        if event == name:
            kind = "moved" if mask & IN_MOVED_TO else "written"
            print(time.monotonic_ns() // 1000000, kind, flush=True)
EOF
    TRAY_WATCH_PID=$!
    e2e_wait_line "$TRAY_WATCH_LOG" "^ready$" 10
}

tray_saves() { e2e_count "$TRAY_WATCH_LOG" " (moved|written)$"; }

# tray_ini_value SECTION KEY from the settings file.
tray_ini_value() { e2e_ini_value "$settings" "$1" "$2"; }
