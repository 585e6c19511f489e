#!/usr/bin/env bash
# A Wayland desktop. With XWayland there, the program runs as an X11 client although the
# session offers Wayland, unless the user chose Wayland. Without an X server it runs on
# Wayland and shows its window, nothing crashing.
# Runs its own compositors (weston: headless, and once inside the suite's X server for a
# pointer to drag the title bar with). Docking is not tried here: weston's X window manager ignores where X11 clients place their windows,
# and pointer input injected with XTest crashes the headless XWayland (no pointer seat).
# Run by tests/e2e/run.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap end_started EXIT

for tool in weston Xwayland; do
    command -v "$tool" >/dev/null || fail "missing tool: $tool (install weston xwayland)"
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
    ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    fail "Qt's Wayland platform is missing (install qt6-wayland)"

# weston puts its socket into XDG_RUNTIME_DIR and XWayland's into /tmp/.X11-unix.
mkdir -p /tmp/.X11-unix 2>/dev/null && chmod 1777 /tmp/.X11-unix 2>/dev/null || true
unset QT_QPA_PLATFORM

# Starts weston under the socket name $1 with the backend $2 (further arguments go to
# weston) and waits for it.
start_weston() {
    local socket=$1 backend=$2
    shift 2
    weston --backend="$backend" --socket="$socket" --idle-time=0 --log="$E2E_SHOTS/$socket.log" "$@" \
        >/dev/null 2>&1 &
    pids+=($!)
    wait_until 15 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start: $(tail -3 "$E2E_SHOTS/$socket.log")"
}

# The suite's X server, for the part that needs a pointer.
outer_display=$DISPLAY

# --- with XWayland
write_settings 'zelsigxfct\xfct=xfct'
start_weston zelto-e2e-x headless-backend.so --width=1280 --height=1024 --xwayland
# weston names the display it listens on in its log.
xdisplay_of_weston() { grep -o 'xserver listening on display :[0-9]*' "$E2E_SHOTS/zelto-e2e-x.log" | grep -o ':[0-9]*$'; }
wait_until 15 xdisplay_of_weston >/dev/null || fail "weston started no XWayland"
export DISPLAY
DISPLAY=$(xdisplay_of_weston)
export WAYLAND_DISPLAY=zelto-e2e-x
echo "weston with XWayland on $DISPLAY"

./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
app=$!
pids+=($app)
# The window shows up on the X display: the program is an X11 client there.
wait_until 30 find_main || fail "no window of the program on XWayland's display $DISPLAY"
[ "$(xprop -id "$main" _NET_WM_PID | grep -o '[0-9]*$')" = "$app" ] || fail "the window is not the program's"
import -window "$main" "$E2E_SHOTS/01-xwayland.png" 2>/dev/null || true

kill "$app"
wait "$app" 2>/dev/null || true

# The user's own choice wins: asked for Wayland, it stays there although X is at hand.
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client ./zelto >"$E2E_SHOTS/zelto-chosen.log" 2>&1 &
app=$!
pids+=($app)
toplevel_in() { grep -q 'xdg_toplevel@[0-9]*\.set_title("Zelto签名字符2008' "$1"; }
wait_until 30 toplevel_in "$E2E_SHOTS/zelto-chosen.log" || fail "QT_QPA_PLATFORM=wayland was not kept"
kill "$app"
wait "$app" 2>/dev/null || true

# --- without any X server
unset DISPLAY
start_weston zelto-e2e-w headless-backend.so --width=1280 --height=1024
export WAYLAND_DISPLAY=zelto-e2e-w
# The protocol log shows the window's surface as the compositor gets it.
WAYLAND_DEBUG=client ./zelto >"$E2E_SHOTS/zelto-wayland.log" 2>&1 &
app=$!
pids+=($app)
wait_until 30 toplevel_in "$E2E_SHOTS/zelto-wayland.log" || fail "no Wayland window: $(grep -v '^\[' "$E2E_SHOTS/zelto-wayland.log" | tail -5)"
wait_until 10 grep -q 'wl_surface@[0-9]*\.commit()' "$E2E_SHOTS/zelto-wayland.log" || fail "the window was never drawn"
kill -0 "$app" 2>/dev/null || fail "the program ended on Wayland"
kill "$app"
wait "$app" 2>/dev/null || true
# --- with a pointer: weston drawn into the suite's X server, which gives it the pointer
# that the headless one lacks. The title bar moves the window through the compositor,
# on XWayland (weston's X window manager ignores where a program puts its window) and
# on Wayland alone; weston's scene graph tells where the window is.
export DISPLAY=$outer_display
start_weston zelto-e2e-m x11-backend.so --width=1000 --height=800 --debug --xwayland
export WAYLAND_DISPLAY=zelto-e2e-m
xdisplay_of_nested() { grep -o 'xserver listening on display :[0-9]*' "$E2E_SHOTS/zelto-e2e-m.log" | grep -o ':[0-9]*$'; }
wait_until 15 xdisplay_of_nested >/dev/null || fail "the nested weston started no XWayland"
view_position() {
    weston-debug scene-graph 2>/dev/null |
        awk "/top-level window 'Zelto/ {found = 1} found && /position:/ {gsub(/[(),]/, \"\"); print \$2, \$3; exit}"
}
has_view() { [ -n "$(view_position)" ]; }
view_at() { [ "$(view_position)" = "$1 $2" ]; }
# The compositor's protocol dump: where it tells its clients the pointer is, and when
# its shell grabs the pointer to move a window.
proto=$E2E_SHOTS/zelto-e2e-m-proto.log
weston-debug proto >"$proto" 2>&1 &
pids+=($!)
wait_until 5 test -s "$proto" || fail "weston-debug gave no protocol dump"
# The last pointer event that a client got is "enter" or "motion" at X,Y on its surface.
pointer_at() {
    local last
    last=$(grep -a -o 'wl_pointer@[0-9]*\.\(enter\|motion\|leave\)([^)]*)' "$proto" | tail -n 1)
    [[ $last =~ \.(enter|motion)\(.*\ ([0-9]+)\.[0-9]+,\ ([0-9]+)\.[0-9]+\)$ ]] &&
        [ "${BASH_REMATCH[2]}" -eq "$1" ] && [ "${BASH_REMATCH[3]}" -eq "$2" ]
}
grabs() { grep -a -c 'weston_desktop_shell@[0-9]*\.grab_cursor(' "$proto" || true; }
more_grabs_than() { [ "$(grabs)" -gt "$1" ]; }
weston_window() { xwininfo -root -tree | awk '/"Weston Compositor/ && !id {id = $1} END {print id}'; }
# A point of the suite's screen beside weston's window.
outside_weston() {
    local x y w h sw sh
    read -r x y w h < <(geometry "$(weston_window)")
    read -r sw sh < <(xwininfo -root | awk '/^  Width/ {w=$2} /^  Height/ {h=$2} END {print w, h}')
    if [ $((x + w)) -lt "$sw" ]; then
        echo $((x + w)) "$y"
    elif [ "$x" -gt 0 ]; then
        echo $((x - 1)) "$y"
    elif [ $((y + h)) -lt "$sh" ]; then
        echo "$x" $((y + h))
    else
        echo "$x" $((y - 1))
    fi
}
has_weston_window() { local w; w=$(weston_window) && [ -n "$w" ] && viewable "$w"; }
wait_until 10 has_weston_window || fail "the nested weston's window is not shown"

# Starts the program on display $1 (empty: none), drags its title bar by (200, 160) and
# checks that the window went along. Each step waits for the compositor: the pointer over
# the title bar before the press, the shell's grab before the moves, the window at each
# step, wherever the pointer was before.
drag_in_nested_weston() {
    local name=$1 vx vy frame=0 ox oy lx ly gx gy step before
    if [ -n "$2" ]; then
        DISPLAY=$2 ./zelto >"$E2E_SHOTS/zelto-$name.log" 2>&1 &
    else
        env -u DISPLAY ./zelto >"$E2E_SHOTS/zelto-$name.log" 2>&1 &
    fi
    app=$!
    pids+=($app)
    wait_until 30 has_view || fail "$name: no window in weston's scene graph"
    read -r vx vy < <(view_position)
    read -r ox oy _ _ < <(geometry "$(weston_window)")
    # An X11 window's view carries weston's frame (31 pixels) around it.
    [ -n "$2" ] && frame=31
    lx=$((frame + 300))
    ly=$((frame + 14))
    gx=$((ox + vx + lx))
    gy=$((oy + vy + ly))
    # weston did not follow a pointer that was already inside its window (at the start
    # of a lone run, the screen's centre): it learns where the pointer is when it enters.
    xdotool mousemove $(outside_weston) mousemove "$gx" "$gy"
    wait_until 5 pointer_at "$lx" "$ly" ||
        fail "$name: weston did not get the pointer onto the title bar at $lx,$ly: $(grep -a -o 'wl_pointer@[0-9]*\.[a-z]*([^)]*)' "$proto" | tail -n 3 | tr '\n' ' ')"
    before=$(grabs)
    xdotool mousedown 1
    wait_until 5 more_grabs_than "$before" || { xdotool mouseup 1; fail "$name: the press on the title bar started no move"; }
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((gx + 25 * step)) $((gy + 20 * step))
        wait_until 5 view_at $((vx + 25 * step)) $((vy + 20 * step)) ||
            { xdotool mouseup 1; fail "$name: the window did not follow the pointer from $vx,$vy: now $(view_position) at step $step"; }
    done
    xdotool mouseup 1
    import -window root "$E2E_SHOTS/02-moved-$name.png" 2>/dev/null || true
    kill "$app"
    wait "$app" 2>/dev/null || true
    wait_until 10 no_view || fail "$name: the window stayed in weston's scene graph"
}
no_view() { ! has_view; }
drag_in_nested_weston xwayland "$(xdisplay_of_nested)"
drag_in_nested_weston wayland ""
echo "X11 client on XWayland; Wayland when chosen and without X; the title bar moves the window under weston"
