#!/usr/bin/env bash
# Runs a test program on a private X server with the openbox window manager:
#   x11-session.sh <program> [arguments...]
# Skipped (reported, exit 0) where Xvfb or openbox is not installed.
set -uo pipefail

for tool in Xvfb openbox xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 0
    fi
done

work=$(mktemp -d /tmp/zelto-x11.XXXXXX)
xvfb_pid=""
wm_pid=""
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Polls a command for up to $1 seconds.
wait_until() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.1
    done
}
server_up() { [ -s "$work/display" ] && xprop -display ":$(head -n 1 "$work/display")" -root >/dev/null 2>&1; }
managed() { [[ $(xprop -display "$DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *'window id'* ]]; }

# Xvfb picks a free display itself, so that parallel runs never share one. Without
# -noreset it would start over when the probe's connection ends, and refuse openbox.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 30 server_up || { cat "$work/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
wait_until 15 managed || { cat "$work/openbox.log"; echo "FAIL: openbox did not start"; exit 1; }

QT_QPA_PLATFORM=xcb "$@"
