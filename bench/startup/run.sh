#!/usr/bin/env bash
# Measures the program's start-up time and memory at rest on a private Xvfb display:
# once with the full content, once with a synthetic catalogue of 100,000 entries per list.
#
#   bench/startup/run.sh [build-dir] [runs]
#
# build-dir defaults to build-bench/ (preset "bench", built here when it is missing the
# harness); runs defaults to 10. The display is the first free one from :45 on.
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$repo/build-bench}
runs=${2:-10}
if [ $# -lt 1 ]; then
    (cd "$repo" && cmake --preset bench >/dev/null && cmake --build --preset bench -j2 --target bench_startup)
fi
build=$(cd "$build" && pwd)
harness=$build/bin/bench_startup
databuild=$build/bin/zelto_databuild
[ -x "$harness" ] || { echo "no harness at $harness: build the target bench_startup" >&2; exit 2; }
[ -x "$databuild" ] || { echo "no data tool at $databuild" >&2; exit 2; }

scratch=$(mktemp -d /tmp/zelto-startup.XXXXXX)
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# No window manager and a black root: the harness sees the program's own window mapped
# and drawn, nothing else.
for n in $(seq 45 120); do
    { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -br -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        xprop -display ":$n" -root >/dev/null 2>&1 && break
        sleep 0.1
    done
    if xprop -display ":$n" -root >/dev/null 2>&1; then
        export DISPLAY=":$n"
        break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "no Xvfb display could be started" >&2; exit 2; }

echo "commit $(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo unknown), $(nproc) cores," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg), display $DISPLAY"

echo "== full content ($(du -sh "$build/run" | cut -f1) run folder)"
"$harness" --runs "$runs" "$build/run"

echo "== synthetic catalogue, 100000 entries per list"
"$databuild" --synthetic 100000 "$scratch/synthetic.dll" >/dev/null
"$harness" --runs "$runs" --catalogue "$scratch/synthetic.dll" "$build/run"
