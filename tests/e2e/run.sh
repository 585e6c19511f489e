#!/usr/bin/env bash
# End-to-end tests of the real program under Xvfb with the openbox window manager.
#
#   tests/e2e/run.sh <build-dir> [test-name...]
#
# Starts a private X server on a free display, openbox and a notification area (trayer)
# on it, then runs every tests/e2e/test_*.sh in turn. Each test runs in a fresh temporary folder holding a copy
# of <build-dir>/run (its working directory), with its own XDG_CONFIG_HOME, and gets:
#   DISPLAY          the private display
#   E2E_RUN_DIR      the copy of the run folder (also the working directory)
#   E2E_SHOTS        a folder for its screenshots, kept under <build-dir>/e2e-shots/<test>
#   XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR   empty folders of its own
#   E2E_BIN          <build-dir>/bin, where the test helper programs are
# A test passes when it exits with 0. Everything a test starts is ended after it.
# Tests that need another screen start their own server and ignore DISPLAY:
# test_wayland runs weston (headless, with and without XWayland), test_docking_scaled a
# 4K Xvfb with openbox at QT_SCALE_FACTOR=2.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
if [ $# -lt 1 ]; then
    echo "usage: $0 <build-dir> [test-name...]" >&2
    exit 2
fi
build=$(cd "$1" 2>/dev/null && pwd) || { echo "no build folder: $1" >&2; exit 2; }
shift
only=("$@")
if [ ! -x "$build/run/zelto" ]; then
    echo "no program at $build/run/zelto: build first" >&2
    exit 2
fi
for tool in Xvfb openbox trayer xdotool xwininfo xprop xclip import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "missing tool: $tool (install xvfb openbox trayer xdotool x11-utils xclip imagemagick)" >&2
        exit 2
    fi
done

xvfb_pid=""
wm_pid=""
tray_pid=""
work=$(mktemp -d /tmp/zelto-e2e.XXXXXX)
cleanup() {
    [ -n "$tray_pid" ] && kill "$tray_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb takes a free display itself and reports its number: runs started at the same
# moment (other worktrees, CI jobs) could otherwise pick the same one and share it.
# Without -noreset the server starts over when the probe's connection ends, and on a
# loaded machine openbox, connecting just then, was refused: the suite then ran without
# a window manager and every test that needs one failed.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_until 30 xvfb_up_or_ended
    [ -n "$display" ] && xprop -display "$display" -root >/dev/null 2>&1
}
xvfb_up_or_ended() {
    ! kill -0 "$xvfb_pid" 2>/dev/null && return 0
    [ -s "$work/display" ] || return 1
    display=":$(head -n 1 "$work/display")"
    xprop -display "$display" -root >/dev/null 2>&1
}

display=""
if ! start_xvfb; then
    echo "=================================================================="
    echo "SKIPPED: the end-to-end tests need an X server and Xvfb did not start"
    cat "$work/xvfb.log" 2>/dev/null
    echo "=================================================================="
    exit 0
fi

DISPLAY=$display openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
if ! DISPLAY=$display wait_until 15 has_window_manager; then
    echo "openbox did not start on $display:"
    cat "$work/openbox.log"
    exit 1
fi
# A notification area at the bottom right, as a desktop panel would have.
DISPLAY=$display trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 26 \
    --transparent false --SetDockType true >"$work/trayer.log" 2>&1 &
tray_pid=$!
if ! DISPLAY=$display wait_until 20 have_tray; then
    echo "trayer did not start on $display:"
    cat "$work/trayer.log"
    exit 1
fi
echo "X server $display with openbox and trayer"

passed=0
failed=0
failures=()
shots_root="$build/e2e-shots"
for test in "$here"/test_*.sh; do
    [ -e "$test" ] || continue
    name=$(basename "$test" .sh)
    [ ${#only[@]} -eq 0 ] || [[ " ${only[*]} " == *" $name "* ]] || continue
    dir="$work/$name"
    mkdir -p "$dir/config" "$dir/data" "$dir/runtime"
    chmod 700 "$dir/runtime"
    cp -r "$build/run" "$dir/run"
    shots="$shots_root/$name"
    rm -rf "$shots"
    mkdir -p "$shots"

    echo "--- $name"
    # Its own session, so that whatever it leaves running can be ended as a group.
    (
        cd "$dir/run" &&
            exec setsid env DISPLAY="$display" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" XDG_RUNTIME_DIR="$dir/runtime" \
                E2E_RUN_DIR="$dir/run" E2E_SHOTS="$shots" E2E_BIN="$build/bin" timeout 300 bash "$test"
    ) >"$dir/output.log" 2>&1 &
    test_pid=$!
    wait "$test_pid"
    status=$?
    kill -- -"$test_pid" 2>/dev/null
    sed 's/^/    /' "$dir/output.log"
    if [ "$status" -eq 0 ]; then
        echo "PASS  $name"
        passed=$((passed + 1))
    else
        echo "FAIL  $name (exit $status; screenshots in $shots)"
        failed=$((failed + 1))
        failures+=("$name")
    fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
