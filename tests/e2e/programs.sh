#!/usr/bin/env bash
# Helpers for the end-to-end helper programs, on top of lib.sh:
#
#   e2e_receiver_start BIN   InputReceiver.exe over the whole screen, focused
#   e2e_host_init BIN        HookHost.exe with its commands file
#   e2e_host COMMAND...      send one command, wait for its ack (fails on error)
#   e2e_settle               wait until all input sent so far has been handled
#   e2e_reports SLOT         reports of SLOT logged by the host so far
#   e2e_last_value NAME      value of the host's last "NAME value" line
#
# E2E_RECEIVER_LOG and E2E_HOST_LOG name the two logs. Set e2e_host_timeout
# (seconds, default 10) for a long command.

E2E_RECEIVER_LOG=""
E2E_HOST_LOG=""
E2E_HOST_COMMANDS=""
E2E_HOST_SEQ=0
E2E_MARKERS=0

e2e_receiver_start() {
    local bin=$1
    E2E_RECEIVER_LOG="$E2E_WORK/receiver.log"
    rm -f "$E2E_RECEIVER_LOG"
    e2e_start receiver "$bin/InputReceiver.exe" --log "$(e2e_winpath "$E2E_RECEIVER_LOG")" \
        --exit-after "$E2E_PROGRAM_TIMEOUT"
    e2e_wait_line "$E2E_RECEIVER_LOG" " ready " 30 || return 1
    # X sends a click to the window under the pointer.
    e2e_xdo mousemove 640 512
    e2e_wait_line "$E2E_RECEIVER_LOG" "MOUSEMOVE 640 512$" 10
}

e2e_host_init() {
    local bin=$1
    E2E_HOST_LOG="$E2E_WORK/host.log"
    E2E_HOST_COMMANDS="$E2E_WORK/host.commands"
    E2E_HOST_SEQ=0
    rm -f "$E2E_HOST_LOG"
    : >"$E2E_HOST_COMMANDS"
    e2e_start host "$bin/HookHost.exe" --log "$(e2e_winpath "$E2E_HOST_LOG")" \
        --commands "$(e2e_winpath "$E2E_HOST_COMMANDS")" --exit-after "$E2E_PROGRAM_TIMEOUT"
    e2e_wait_line "$E2E_HOST_LOG" " ready$" 30 || return 1
    if grep -q " error " "$E2E_HOST_LOG"; then
        e2e_log "host reported: $(grep " error " "$E2E_HOST_LOG")"
        return 1
    fi
}

e2e_host() {
    E2E_HOST_SEQ=$((E2E_HOST_SEQ + 1))
    printf '%s\n' "$*" >>"$E2E_HOST_COMMANDS"
    e2e_wait_line "$E2E_HOST_LOG" " (ack|error) $E2E_HOST_SEQ( |$)" "${e2e_host_timeout:-10}" ||
        return 1
    if grep -qE " error $E2E_HOST_SEQ( |$)" "$E2E_HOST_LOG"; then
        e2e_log "host refused: $*"
        return 1
    fi
}

# Input is handled in order: once a left click sent now has reached the
# receiver, everything sent before it has passed the hooks too, and the
# host's ack of a later command comes after every report posted by then.
e2e_settle() {
    local before
    before=$(e2e_count "$E2E_RECEIVER_LOG" "LBUTTONUP")
    e2e_xdo click --delay 0 1
    e2e_wait_count "$E2E_RECEIVER_LOG" "LBUTTONUP" $((before + 1)) 10
    e2e_host sync
}

e2e_reports() { e2e_count "$E2E_HOST_LOG" " report $1$"; }

e2e_last_value() {
    grep -E " $1 " "$E2E_HOST_LOG" | tail -n 1 | awk '{print $3}'
}
