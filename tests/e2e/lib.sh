#!/usr/bin/env bash
# Helpers for Vela's Wine end-to-end tests. Source this file, then:
#
#   e2e_parse_args "$@"        the usual --bin DIR --work DIR; sets bin, work
#   e2e_begin "$@"             parse, e2e_init, e2e_start_xvfb, e2e_fresh_prefix
#   e2e_app_folder [NAME]      Vela.exe and its libraries in a folder of their own
#   e2e_ini_value FILE SECT KEY a value of a settings file, UTF-16 or 8-bit
#   e2e_wait_vela_window [N]   id of Vela's visible window (N tries of 50 ms)
#   e2e_init WORKDIR           work folder, cleanup trap
#   e2e_start_xvfb             private X server on a free display
#   e2e_fresh_prefix           new Wine prefix under WORKDIR (once per run)
#   e2e_start NAME EXE ARGS... start a Windows program in the background
#   e2e_winpath PATH           Linux path → path a Windows program can open
#   e2e_wait_line FILE ERE [S] wait until FILE has a line matching ERE
#   e2e_count FILE ERE         number of matching lines
#   e2e_xdo ARGS...            xdotool on our display
#   e2e_check NAME CONDITION   record a pass or a failure
#   e2e_finish                 summary; non-zero exit status on any failure
#
# Wine output goes to files, never to pipes (its background processes would
# hold a pipe open), and every wine call runs under timeout.

E2E_WORK=""
E2E_XVFB_PID=""
E2E_FAILURES=0
E2E_CHECKS=0
E2E_PROGRAM_TIMEOUT=${E2E_PROGRAM_TIMEOUT:-240}

e2e_log() { printf '[e2e %s] %s\n' "$(date +%H:%M:%S)" "$*"; }

e2e_init() {
    E2E_WORK=$1
    mkdir -p "$E2E_WORK"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
}

e2e_cleanup() {
    if [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]]; then
        timeout 20 wineserver -k >/dev/null 2>&1 || true
    fi
    if [[ -n "$E2E_XVFB_PID" ]]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
        E2E_XVFB_PID=""
    fi
}

e2e_start_xvfb() {
    local displayfile="$E2E_WORK/xvfb.display"
    rm -f "$displayfile"
    # -displayfd picks a free display and writes its number once it accepts
    # connections, so two test runs never share a server.
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$displayfile" \
        >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local i
    for ((i = 0; i < 200; i++)); do
        [[ -s "$displayfile" ]] && break
        sleep 0.05
    done
    [[ -s "$displayfile" ]] || { e2e_log "Xvfb did not start"; return 1; }
    export DISPLAY=":$(tr -d '[:space:]' <"$displayfile")"
    e2e_log "Xvfb on $DISPLAY (pid $E2E_XVFB_PID)"
}

e2e_fresh_prefix() {
    export WINEPREFIX="$E2E_WORK/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ -d "$WINEPREFIX" ]]; then
        timeout 20 wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    local start=$SECONDS
    timeout 120 wineboot -i >"$E2E_WORK/wineboot.out" 2>"$E2E_WORK/wineboot.err" || {
        e2e_log "wineboot failed"
        return 1
    }
    e2e_log "fresh Wine prefix in $((SECONDS - start)) s"
}

e2e_winpath() {
    local p=$1
    printf 'Z:%s' "${p//\//\\}"
}

# e2e_start NAME EXE ARGS... — output in WORKDIR/NAME.out and NAME.err.
e2e_start() {
    local name=$1
    shift
    timeout "$E2E_PROGRAM_TIMEOUT" wine "$@" >"$E2E_WORK/$name.out" 2>"$E2E_WORK/$name.err" &
}

e2e_count() {
    local n
    n=$(grep -cE -- "$2" "$1" 2>/dev/null) || true
    echo "${n:-0}"
}

# e2e_wait_line FILE ERE [SECONDS] — succeeds as soon as a line matches.
e2e_wait_line() {
    local file=$1 pattern=$2 limit=${3:-10}
    local deadline=$((SECONDS + limit))
    while ((SECONDS <= deadline)); do
        grep -qE -- "$pattern" "$file" 2>/dev/null && return 0
        sleep 0.02
    done
    e2e_log "timed out after ${limit}s waiting for /$pattern/ in $file"
    return 1
}

# e2e_wait_count FILE ERE N [SECONDS] — until at least N lines match.
e2e_wait_count() {
    local file=$1 pattern=$2 want=$3 limit=${4:-10}
    local deadline=$((SECONDS + limit))
    while ((SECONDS <= deadline)); do
        (($(e2e_count "$file" "$pattern") >= want)) && return 0
        sleep 0.02
    done
    e2e_log "timed out after ${limit}s waiting for $want x /$pattern/ in $file"
    return 1
}

e2e_xdo() {
    xdotool "$@" >>"$E2E_WORK/xdotool.out" 2>&1
}

# e2e_check NAME ACTUAL EXPECTED
e2e_check() {
    local name=$1 actual=$2 expected=$3
    E2E_CHECKS=$((E2E_CHECKS + 1))
    if [[ "$actual" == "$expected" ]]; then
        printf 'PASS %s\n' "$name"
    else
        printf 'FAIL %s: got %s, expected %s\n' "$name" "$actual" "$expected"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

e2e_finish() {
    e2e_log "$E2E_CHECKS checks, $E2E_FAILURES failed"
    ((E2E_FAILURES == 0))
}

# The arguments every suite takes: the folder of the built programs and a work
# folder. Sets `bin` and `work` to absolute paths.
e2e_parse_args() {
    bin="" work=""
    while (($#)); do
        case $1 in
            --bin) bin=$2; shift 2 ;;
            --work) work=$2; shift 2 ;;
            *) echo "unknown argument $1" >&2; exit 2 ;;
        esac
    done
    [[ -n "$bin" && -n "$work" ]] || { echo "usage: $0 --bin DIR --work DIR" >&2; exit 2; }
    bin=$(cd "$bin" && pwd)
    work=$(mkdir -p "$work" && cd "$work" && pwd)
}

# A suite's start: its arguments, a private display and a fresh prefix.
e2e_begin() {
    e2e_parse_args "$@"
    e2e_init "$work"
    e2e_start_xvfb || exit 1
    e2e_fresh_prefix || exit 1
}

# Vela runs from a folder of its own, since it writes QmSetting.ini beside
# itself. Sets `app` and `settings`.
e2e_app_folder() {
    app="$E2E_WORK/${1:-app}"
    rm -rf "$app"
    mkdir -p "$app"
    cp "$bin"/Vela.exe "$bin"/*.dll "$app"/
    settings="$app/QmSetting.ini"
}

# A value of an INI file, whichever encoding Vela wrote it in; empty when the
# file, the section or the key is missing.
e2e_ini_value() {
    local file=$1 text
    [[ -f "$file" ]] || return 0
    if [[ "$(head -c2 "$file" | od -An -tx1 | tr -d ' ')" == "fffe" ]]; then
        text=$(iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r\357\273\277')
    else
        text=$(tr -d '\r' <"$file")
    fi
    awk -v s="[$2]" -v k="$3" '
        /^\[/ { inside = ($0 == s); next }
        inside && index($0, k "=") == 1 { print substr($0, length(k) + 2); exit }' <<<"$text"
}

# Waits for Vela's main window to be visible and prints its X window id
# (nothing when it did not show in time).
e2e_wait_vela_window() {
    local tries=${1:-300} window="" _
    for _ in $(seq 1 "$tries"); do
        window=$(xdotool search --onlyvisible --name '^Vela$' 2>/dev/null | head -n1)
        [[ -n "$window" ]] && break
        sleep 0.05
    done
    echo "$window"
}
