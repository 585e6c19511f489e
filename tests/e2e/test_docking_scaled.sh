#!/usr/bin/env bash
# A high-resolution screen at scale factor 2 (4K, under openbox): the window is twice as
# large in screen pixels, docks at the top edge, and hides to a strip of 3 logical pixels
# (6 screen pixels); touching the strip brings it back. Runs its own X server.
# Run by tests/e2e/run.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap end_started EXIT

start_own_x_server 3840x2160x24
export QT_SCALE_FACTOR=2
write_settings 'zelsigxfct\xfct=xfct'
./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
app=$!
pids+=($app)
wait_until 30 find_main || fail "the main window did not appear"
read -r x y w h < <(geometry "$main")
echo "window $main at $x,$y size ${w}x$h"
# The client area is 685 x 492 logical pixels inside the frame.
[ "$w" -ge 1370 ] && [ "$h" -ge 984 ] || fail "not scaled by 2: ${w}x$h"
shot 01-started

# Polled: the position is read again at each try.
y_is() { local g; g=($(geometry "$main")); [ "${g[1]}" -eq "$1" ]; }
drag_main_to "$x" 10
wait_until 5 y_is 0 || fail "not docked at the top: $(geometry "$main")"
shot 02-docked
xdotool mousemove 3000 2000
wait_until 5 y_is $((6 - h)) || fail "did not hide to a 6-pixel strip: $(geometry "$main")"
shot 03-hidden
xdotool mousemove $((x + 600)) 2
wait_until 5 y_is 0 || fail "did not come back from the strip: $(geometry "$main")"
shot 04-shown
echo "scaled by 2: docked, hid to 6 screen pixels (3 logical) and came back"
