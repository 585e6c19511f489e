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
read -r ox oy < <(xwininfo -root -tree | awk '/"Weston Compositor/ {split($NF, a, "+"); print a[2], a[3]; exit}')

# Starts the program on display $1 (empty: none), drags its title bar by (200, 160) and
# checks that the window went along.
drag_in_nested_weston() {
    local name=$1 vx vy frame=0 gx gy step
    if [ -n "$2" ]; then
        DISPLAY=$2 ./zelto >"$E2E_SHOTS/zelto-$name.log" 2>&1 &
    else
        env -u DISPLAY ./zelto >"$E2E_SHOTS/zelto-$name.log" 2>&1 &
    fi
    app=$!
    pids+=($app)
    wait_until 30 has_view || fail "$name: no window in weston's scene graph"
    read -r vx vy < <(view_position)
    # An X11 window's view carries weston's frame (31 pixels) around it.
    [ -n "$2" ] && frame=31
    gx=$((ox + vx + frame + 300))
    gy=$((oy + vy + frame + 14))
    xdotool mousemove "$gx" "$gy" mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((gx + 25 * step)) $((gy + 20 * step))
        sleep 0.05
    done
    xdotool mouseup 1
    moved() { local nx ny; read -r nx ny < <(view_position); [ "$nx" -ge $((vx + 150)) ] && [ "$ny" -ge $((vy + 120)) ]; }
    wait_until 5 moved || fail "$name: the title bar did not move the window from $vx,$vy: now $(view_position)"
    import -window root "$E2E_SHOTS/02-moved-$name.png" 2>/dev/null || true
    kill "$app"
    wait "$app" 2>/dev/null || true
    wait_until 10 sh -c '! weston-debug scene-graph 2>/dev/null | grep -q "top-level window .Zelto"' || true
}
drag_in_nested_weston xwayland "$(xdisplay_of_nested)"
drag_in_nested_weston wayland ""
echo "X11 client on XWayland; Wayland when chosen and without X; the title bar moves the window under weston"
