#!/usr/bin/env bash
# Makes the README's screenshots from the real program: starts it on a private Xvfb
# display with openbox, as a user who has seen the first-run notices, picks a signature
# on 〖经典个性签名〗 and opens 〖字符贴图〗, and saves the main window each time; then
# searches "kx" in the find window and saves the two windows side by side.
#
#   tools/screenshot.sh [build-dir]     (default: build/)
#
# Writes docs/screenshot-signatures.png, docs/screenshot-pictures.png and
# docs/screenshot-find.png.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
[ -x "$build/run/zelto" ] || { echo "no program at $build/run/zelto: build first" >&2; exit 2; }

scratch=$(mktemp -d /tmp/zelto-shot.XXXXXX)
export E2E_SHOTS=$scratch XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
source "$repo/tests/e2e/lib.sh"
trap 'end_started; rm -rf "$scratch"' EXIT

for n in $(seq 60 120); do
    { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
    export DISPLAY=:$n
    break
done
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
wait_until 5 xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $DISPLAY"
openbox >"$scratch/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5

cp -r "$build/run" "$scratch/run"
write_settings
(cd "$scratch/run" && exec ./zelto) >"$scratch/zelto.log" 2>&1 &
pids+=($!)
wait_until 15 find_main || fail "the main window did not appear"
sleep 1.5 # the fade-in

click_in_main 124 63  # 〖经典个性签名〗
sleep 0.5
click_in_main 126 143 # the fourth row
sleep 0.5
xdotool mousemove 1200 1000
sleep 0.3
import -window "$main" "$repo/docs/screenshot-signatures.png"

click_in_main 604 63 # 〖字符贴图〗
sleep 0.5
xdotool mousemove 1200 1000
sleep 0.3
import -window "$main" "$repo/docs/screenshot-pictures.png"

xdotool windowactivate --sync "$main" key ctrl+f
find_window() { xdotool search --onlyvisible --name '^查找与收藏$' 2>/dev/null | head -1; }
wait_until 5 find_window >/dev/null || fail "the find window did not open"
sleep 0.5
xdotool type --delay 100 kx
sleep 0.5
xdotool key Down
sleep 0.3
g=($(geometry "$main"))
f=($(geometry "$(find_window)"))
import -window root -crop "$((f[0] + f[2] - g[0]))x${g[3]}+${g[0]}+${g[1]}" +repage "$repo/docs/screenshot-find.png"
echo "wrote docs/screenshot-signatures.png, docs/screenshot-pictures.png and docs/screenshot-find.png"
