#!/usr/bin/env bash
# Edge docking on a real window manager: the window dragged by its title bar to the top
# edge snaps there, slides up out of sight leaving a 3-pixel strip when the pointer
# leaves, and comes back when the pointer touches the strip; the same at the left edge.
# A notice closed with the pointer outside hides it too. Moves by the window manager
# (Alt+drag, a move request) dock and undock it as drags do. Then "窗口置顶" keeps the
# window on top without a taskbar entry, and Alt+F4 ends it.
# Run by tests/e2e/run.sh.
set -euo pipefail

source "$(dirname "$0")/lib.sh"

# Waits up to three seconds for a shell condition.
wait_for() { wait_until 3 eval "$1"; }

y_is() { read -r _ gy _ _ < <(geometry "$win"); [ "$gy" -eq "$1" ]; }
has_state() { [[ $(xprop -id "$win" _NET_WM_STATE) == *"$1"* ]]; }
x_is() { read -r gx _ _ _ < <(geometry "$win"); [ "$gx" -eq "$1" ]; }

# Docking on, first-run notices and pages already behind us.
write_settings 'zelsigxfct\xfct=xfct'

./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
app=$!

wait_until 10 find_main || fail "the main window did not appear"
win=$main
wait_until 5 faded_in "$win" || fail "the main window did not fade in: opacity $(opacity "$win")"
shot 01-started

read -r x y w h < <(geometry "$win")
echo "window $win at $x,$y size ${w}x$h"
screen_w=$(xwininfo -root | awk '/Width:/ { print $2 }')

# Drag by the title bar (14 px below the top edge) up to 4 px below the screen's top.
grab_x=$((x + 300))
grab_y=$((y + 14))
xdotool mousemove "$grab_x" "$grab_y" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    pointer_to "$grab_x" $((grab_y - (grab_y - 18) * step / 8))
done
xdotool mouseup 1
wait_for "y_is 0" || fail "not snapped to the top: $(geometry "$win")"
shot 02-docked-top

# Moving between the window's own controls keeps it in place.
for point in "$((x + 100)) 40" "$((x + 400)) 200" "$((x + 300)) $((h - 10))"; do
    pointer_to $point
done
caught_up || fail "F1 brought no help notice while the pointer was inside"
y_is 0 || fail "hid while the pointer was inside: $(geometry "$win")"

xdotool mousemove 1000 900
wait_for "y_is $((3 - h))" || fail "did not hide to a 3-pixel strip: $(geometry "$win")"
read -r _ hy _ hh < <(geometry "$win")
[ $((hy + hh)) -eq 3 ] || fail "strip is $((hy + hh)) pixels"
shot 03-hidden-top

xdotool mousemove "$grab_x" 1
wait_for "y_is 0" || fail "did not come back from the strip: $(geometry "$win")"
shot 04-shown-top

# Down, then left until the window's left edge is 5 px from the screen's.
offset=$((grab_x - x))
xdotool mousemove "$grab_x" 14 mousedown 1
for left in "$x" 150 100 50 20 5; do
    pointer_to $((left + offset)) 150
done
xdotool mouseup 1
wait_for "x_is 0" || fail "not snapped to the left: $(geometry "$win")"
shot 05-docked-left
xdotool mousemove 1000 900
wait_for "x_is $((3 - w))" || fail "did not hide to the left: $(geometry "$win")"
shot 06-hidden-left
xdotool mousemove 1 400
wait_for "x_is 0" || fail "did not come back from the left strip: $(geometry "$win")"
shot 07-shown-left

# A notice closed with the pointer outside: no Leave reached the window while the notice
# blocked it, and it still hides.
timeout 5 xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
xdotool key F1
wait_until 5 has_notice || fail "F1 did not open the help notice"
xdotool mousemove 1000 900
answer_notice Return || fail "Return did not close the help notice"
wait_for "x_is $((3 - w))" || fail "did not hide after the notice closed with the pointer outside: $(geometry "$win")"
shot 08-hidden-after-notice
xdotool mousemove 1 400
wait_for "x_is 0" || fail "did not come back after the notice: $(geometry "$win")"

# Moves by the window manager count as well. Alt+drag to the middle: no longer docked.
read -r x y _ _ < <(geometry "$win")
xdotool mousemove $((x + 300)) $((y + 200)) keydown alt mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    pointer_to $((x + 300 + 40 * step)) $((y + 200 + 10 * step))
done
xdotool mouseup 1 keyup alt
off_edge() { read -r gx _ _ _ < <(geometry "$win"); [ "$gx" -ge 200 ]; }
wait_for off_edge || fail "Alt+drag did not move the window: $(geometry "$win")"
read -r x y _ _ < <(geometry "$win")
xdotool mousemove 1250 $((y + h + 60))
# Key presses reach the program after the pointer's leaving: once the notice is up, the
# leaving has been handled.
xdotool key F1
wait_until 5 has_notice || fail "F1 did not open the help notice (2)"
x_is "$x" && y_is "$y" || fail "went back to the old edge after an Alt+drag: $(geometry "$win")"
answer_notice Return || fail "Return did not close the help notice (2)"
shot 09-moved-by-the-window-manager

# Moved by someone else onto the right edge: docked there, hiding to the right.
xdotool windowmove "$win" $((screen_w - w)) 300
wait_for "x_is $((screen_w - w))" || fail "not moved onto the right edge: $(geometry "$win")"
xdotool mousemove 100 900
wait_for "x_is $((screen_w - 3))" || fail "did not hide to the right: $(geometry "$win")"
xdotool mousemove $((screen_w - 1)) 500
wait_for "x_is $((screen_w - w))" || fail "did not come back from the right strip: $(geometry "$win")"
shot 10-shown-right

# The check box "窗口置顶", clicked once the window manager has the window back as an
# ordinary one.
normal_type() { [[ $(xprop -id "$win" _NET_WM_WINDOW_TYPE) == *_NET_WM_WINDOW_TYPE_NORMAL* ]]; }
wait_for normal_type || fail "still a splash screen: $(xprop -id "$win" _NET_WM_WINDOW_TYPE)"
read -r x y _ _ < <(geometry "$win")
click_on on_top
wait_for "has_state _NET_WM_STATE_ABOVE" ||
    fail "not kept on top at $(geometry "$win"): $(xprop -id "$win" _NET_WM_STATE _NET_WM_WINDOW_TYPE WM_STATE | tr '\n' ' ')"
wait_for "has_state _NET_WM_STATE_SKIP_TASKBAR" || fail "taskbar entry still there"
shot 11-always-on-top
xdotool click 1
wait_for "! has_state _NET_WM_STATE_ABOVE" || fail "still on top"
wait_for "! has_state _NET_WM_STATE_SKIP_TASKBAR" || fail "taskbar entry not back"

xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
xdotool key alt+F4
ended() { ! kill -0 "$app" 2>/dev/null; }
wait_until 5 ended || fail "the program did not end on Alt+F4"
wait "$app" || fail "the program ended with status $?"
echo "docked, hid and came back at the top and left edges; always on top on and off; closed"
