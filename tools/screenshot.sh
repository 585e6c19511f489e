#!/usr/bin/env bash
# Makes the README's screenshots from the real program: starts it on a private Xvfb
# display with openbox, as a user who has seen the first-run notices, picks a signature
# on 〖经典个性签名〗 and opens 〖字符贴图〗, and saves the main window each time; then
# searches "kx" in the find window and saves the two windows side by side, and likewise
# 花样网名 with "Zelto小白".
#
#   tools/screenshot.sh [build-dir] [scale]     (default: build/, 1)
#
# Writes docs/screenshot-signatures.png, docs/screenshot-pictures.png and
# docs/screenshot-phrase-review.png (按词组转换 with its review marks on 〖简转繁〗) and
# docs/screenshot-find.png, docs/screenshot-decorate.png (花样网名 beside the main
# window) and the emoji grid beside a search for "xiao" as docs/screenshot-emoji.png;
# with scale 2, on a 4K screen with QT_SCALE_FACTOR=2, the
# first two as *-scale2.png.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
scale=${2:-1}
case $scale in
1) screen=1280x1024x24 suffix="" ;;
2) screen=3840x2160x24 suffix="-scale2" ;;
*) echo "scale must be 1 or 2" >&2; exit 2 ;;
esac
export QT_SCALE_FACTOR=$scale
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
Xvfb "$DISPLAY" -screen 0 "$screen" -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
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

# Points in logical pixels of the window.
click_at() { click_in_main $(($1 * scale)) $(($2 * scale)); }
click_at 124 63  # 〖经典个性签名〗
sleep 0.5
click_at 126 143 # the fourth row
sleep 0.5
xdotool mousemove 1200 1000
sleep 0.3
import -window "$main" "$repo/docs/screenshot-signatures$suffix.png"

click_at 604 63 # 〖字符贴图〗
sleep 0.5
xdotool mousemove 1200 1000
sleep 0.3
import -window "$main" "$repo/docs/screenshot-pictures$suffix.png"
if [ -z "$suffix" ]; then
    click_in_main 427 63 # 〖简转繁〗
    sleep 0.5
    printf '我的头发和发展都很好。钟声里，他把信发给我；我后悔没回。\n衣服晒干了吗？面里加了点儿酱。\n' |
        xclip -i -selection clipboard
    click_in_main 335 245
    xdotool key ctrl+v
    sleep 0.3
    xdotool click 3
    sleep 0.6
    xdotool key Up Right # the submenu 按词组转换, its first item 简体→繁体
    sleep 0.6
    xdotool key Return
    sleep 0.5
    xdotool mousemove 1200 1000
    sleep 0.3
    import -window "$main" "$repo/docs/screenshot-phrase-review.png"

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

    # 表情: the grid with the tooltip of 😂, and "xiao" under 全部.
    xdotool key ctrl+a BackSpace ctrl+5
    sleep 0.8
    xdotool mousemove $((f[0] + 270)) $((f[1] + 142))
    sleep 1.5
    import -window root -crop "${f[2]}x${f[3]}+${f[0]}+${f[1]}" +repage "$scratch/emoji-grid.png"
    xdotool mousemove 1200 1000 key ctrl+1
    xdotool type --delay 100 xiao
    sleep 0.5
    import -window root -crop "${f[2]}x${f[3]}+${f[0]}+${f[1]}" +repage "$scratch/emoji-search.png"
    convert "$scratch/emoji-grid.png" "$scratch/emoji-search.png" -background white -splice 8x0 +append \
        -define png:exclude-chunks=date,time "$repo/docs/screenshot-emoji.png"
    xdotool key Escape
    sleep 0.5
    click_in_main 549 39 # 花  样
    decorate_window() { xdotool search --onlyvisible --name '^花样网名$' 2>/dev/null | head -1; }
    wait_until 5 decorate_window >/dev/null || fail "the 花样网名 window did not open"
    sleep 0.5
    xdotool type --delay 100 Zelto
    printf '小白' | xclip -i -selection clipboard
    xdotool key ctrl+v
    sleep 0.5
    xdotool key Down Down Down Down Down Down Down # 哥特体
    sleep 0.3
    d=($(geometry "$(decorate_window)"))
    import -window root -crop "$((d[0] + d[2] - g[0]))x${g[3]}+${g[0]}+${g[1]}" +repage "$repo/docs/screenshot-decorate.png"
fi
echo "wrote docs/screenshot-signatures$suffix.png and docs/screenshot-pictures$suffix.png"
