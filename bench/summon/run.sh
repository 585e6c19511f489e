#!/usr/bin/env bash
# Times the desktop-wide key on a private Xvfb display with openbox and a tray: from the
# key press to the find window shown and focused (warm, the program sitting in the tray),
# and from Enter to the entry arriving in a Qt line edit. The same key on a bare Qt window
# and Shift+Insert straight into the line edit are the floors.
#
#   bench/summon/run.sh [build-dir] [runs]
#
# build-dir defaults to build-bench/ (preset "bench", built here when the harness is
# missing); runs defaults to 20.
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$repo/build-bench}
runs=${2:-20}
if [ $# -lt 1 ]; then
    (cd "$repo" && cmake --preset bench >/dev/null && cmake --build --preset bench -j2 --target bench_summon)
fi
build=$(cd "$build" && pwd)
harness=$build/bin/bench_summon
window=$build/bin/bench_summon_window
for program in "$harness" "$window" "$build/run/zelto"; do
    [ -x "$program" ] || { echo "missing $program: build the target bench_summon" >&2; exit 2; }
done

scratch=$(mktemp -d /tmp/zelto-summon.XXXXXX)
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
wait_until() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
server_up() { [ -s "$scratch/display" ] && xprop -display ":$(head -n 1 "$scratch/display")" -root >/dev/null 2>&1; }
wait_until 30 server_up || { echo "Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n 1 "$scratch/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
managed() { [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *'window id'* ]]; }
wait_until 15 managed || { echo "openbox did not start" >&2; exit 2; }
trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 26 \
    --transparent false --SetDockType true >/dev/null 2>&1 &
pids+=($!)

echo "commit $(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo unknown), $(nproc) cores," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg), display $DISPLAY"

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
shown() { [ -n "$(visible "$1")" ]; }

"$window" --target "$scratch/typed.txt" &
pids+=($!)
wait_until 10 shown '^paste target$' || { echo "no target window" >&2; exit 2; }
target=$(visible '^paste target$')

# The program with its first-run notices behind it, sent to the tray.
mkdir -p "$scratch/config/zelto" "$scratch/runtime"
chmod 700 "$scratch/runtime"
printf '[Software]\nzeltorjqm\\rjname=Zelto\nzeltowllj\\rjname=Zelto\nzeltoqzone\\rjname=Zelto\n' \
    >"$scratch/config/zelto/settings.ini"
cp -r "$build/run" "$scratch/run"
(cd "$scratch/run" && exec env XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_RUNTIME_DIR="$scratch/runtime" ./zelto) >"$scratch/zelto.log" 2>&1 &
zelto=$!
pids+=("$zelto")
wait_until 15 shown 'V4\.0\.3' || { echo "the program did not start" >&2; exit 2; }
main=$(visible 'V4\.0\.3')
read -r x y w _ < <(xwininfo -id "$main" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                              /^  Width/ {w=$2} END {print x, y, w, 0}')
# The title bar's tray button.
xdotool mousemove $((x + w - 52)) $((y + 14)) click 1
gone() { [ -z "$(visible 'V4\.0\.3')" ]; }
wait_until 10 gone || { echo "the program did not go to the tray" >&2; exit 2; }
# The first summoning builds the search index: once, before the timed runs.
"$harness" summon 1 查找与收藏 "$target" >/dev/null

echo "== key press to the find window shown and focused, from the tray (ms)"
"$harness" summon "$runs" 查找与收藏 "$target" | tail -n 1
echo "== Enter to the entry arriving in the line edit (ms)"
"$harness" paste "$runs" 查找与收藏 "$target" "$scratch/typed.txt" | tail -n 1
echo "== floor: Shift+Insert straight into the line edit (ms)"
"$harness" floorpaste "$runs" "$target" "$scratch/typed.txt" | tail -n 1

kill "$zelto"
wait "$zelto" 2>/dev/null || true
"$window" --floor >"$scratch/floor.out" &
pids+=($!)
grabbed() { grep -q grabbed "$scratch/floor.out"; }
wait_until 10 grabbed || { echo "the bare window could not take the key" >&2; exit 2; }
echo "== floor: key press to a bare Qt window shown and focused (ms)"
"$harness" summon "$runs" floor "$target" | tail -n 1
