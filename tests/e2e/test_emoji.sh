#!/usr/bin/env bash
# Emoji as a user picks them: the find window's filter 表情 shows the grid in colour, a
# click on 😂 copies it; typed "xiao" under 全部 finds 😂 among the first results, Enter copies it.
# What is copied is read from outside with xclip.
# Run by tests/e2e/run.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
clipboard_is_not() { [ "$(clipboard)" != "$1" ]; }
find_window() { xdotool search --onlyvisible --name '^查找与收藏$' 2>/dev/null | head -1; }
has_find_window() { [ -n "$(find_window)" ]; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
window_picture() { import -window "$1" rgb:- 2>/dev/null | md5sum; }
window_differs() { [ "$(window_picture "$1")" != "$2" ]; }
find_changes() {
    local before
    before=$(window_picture "$win")
    "$@"
    wait_until 5 window_differs "$win" "$before"
}
# Clicks a point given relative to the find window's top-left corner.
click_in_find() {
    local g
    g=($(geometry "$win"))
    xdotool mousemove $((g[0] + $1)) $((g[1] + $2)) click 1
}
# In the grid, below the heading 笑脸与情感, the eighth cell of the first row.
joy_cell="270 142"
# The grid's first row of emoji is drawn in colour: the smileys' yellow makes its mean
# saturation several times that of a row of text, even a selected one.
first_row_in_colour() {
    local g s
    g=($(geometry "$win"))
    s=$(import -window root -crop "340x34+$((g[0] + 12))+$((g[1] + 125))" +repage miff:- 2>/dev/null |
        convert - -colorspace HSL -channel G -separate +channel -format '%[fx:mean]' info: 2>/dev/null) ||
        return 1
    awk -v s="$s" 'BEGIN { exit !(s > 0.15) }'
}

write_settings
trap end_started EXIT
./zelto >>"$E2E_SHOTS/zelto.log" 2>&1 &
pids+=($!)
wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in: opacity $(opacity "$main")"

xdotool windowactivate --sync "$main" key ctrl+f
wait_until 5 has_find_window || fail "Ctrl+F did not open the find window"
win=$(find_window)
xdotool windowactivate --sync "$win" 2>/dev/null || true
wait_until 5 active_is "$win" || fail "the find window did not take the keyboard"

# --- the grid: a click copies ------------------------------------------------------------
xdotool key ctrl+5
wait_until 5 first_row_in_colour || fail "Ctrl+5 did not show the emoji in colour"
shot 01-emoji-grid
printf 'other' | xclip -selection clipboard
click_in_find $joy_cell
wait_until 5 clipboard_is "😂" || fail "the click on 😂 copied '$(clipboard)'"
no_notice || fail "copying an emoji brought a notice"
wait_until 5 grep -qxF "😂" "$XDG_DATA_HOME/zelto/recent.txt" || fail "the emoji was not recorded as recent"

# --- found by pinyin under 全部 -----------------------------------------------------------
xdotool key ctrl+1
find_changes xdotool type --delay 80 xiao || fail "typing xiao changed nothing"
shot 02-xiao
found=""
for n in $(seq 10); do
    printf 'other' | xclip -selection clipboard
    xdotool key Return
    wait_until 5 clipboard_is_not other || fail "Enter on result $n copied nothing"
    if clipboard_is "😂"; then
        found=$n
        break
    fi
    xdotool key Down
done
[ -n "$found" ] || fail "xiao did not find 😂 among the first ten results"
echo "xiao: 😂 is result $found"
