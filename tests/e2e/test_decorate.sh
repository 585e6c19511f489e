#!/usr/bin/env bash
# 花样网名 as a user dresses up a name: "花  样" in the menu bar opens the window, typing
# "Zelto" and pasting "小白" lists the decorated versions; Enter on the fraktur row copies
# ℨ𝔢𝔩𝔱𝔬小白 and the last row copies the last shipped frame, both read back with xclip and
# kept under 最近. Then "装饰此网名" on a boy's nick name opens the window with that name.
# Run by tests/e2e/run.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
source "$here/lib.sh"

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
decorate_window() { xdotool search --onlyvisible --name '^花样网名$' 2>/dev/null | head -1; }
has_decorate_window() { [ -n "$(decorate_window)" ]; }
no_decorate_window() { [ -z "$(decorate_window)" ]; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
more_windows_than() { [ "$(program_windows | wc -l)" -gt "$1" ]; }
window_picture() { import -window "$1" rgb:- 2>/dev/null | md5sum; }
window_differs() { [ "$(window_picture "$1")" != "$2" ]; }
# Something done in the window has changed what it shows.
window_changes() {
    local before
    before=$(window_picture "$win")
    "$@"
    wait_until 5 window_differs "$win" "$before"
}
# Asked again until it holds: a request sent while the window manager is still taking the
# new window on is dropped.
activated() {
    active_is "$1" && return 0
    xdotool windowactivate "$1" 2>/dev/null || true
    active_is "$1"
}
take_keyboard() {
    win=$(decorate_window)
    wait_until 5 activated "$win" || fail "the 花样网名 window did not take the keyboard"
}

write_settings
trap end_started EXIT
./zelto >>"$E2E_SHOTS/zelto.log" 2>&1 &
pids+=($!)
wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in: opacity $(opacity "$main")"

# --- the menu bar's "花  样", a name typed and pasted ------------------------------------
click_in_main 549 39
wait_until 5 has_decorate_window || fail "\"花  样\" in the menu bar did not open the window"
take_keyboard
shot 01-decorate-open
window_changes xdotool type --delay 80 Zelto || fail "typing Zelto changed nothing"
printf '小白' | xclip -selection clipboard
window_changes xdotool key ctrl+v || fail "pasting 小白 changed nothing"
shot 02-decorate-typed

# The rows: 火星文 轻度 and 重度, then the fancy letters, 哥特体 (fraktur) the sixth of them.
xdotool key Down Down Down Down Down Down Down Return
fraktur='ℨ𝔢𝔩𝔱𝔬小白'
wait_until 5 clipboard_is "$fraktur" || fail "Enter on the fraktur row copied '$(clipboard)', not '$fraktur'"
no_notice || fail "copying in the 花样网名 window brought a notice"
# The frames come last; the last one shipped is the last row.
last_frame=$(awk '$0 != "%" {f = $0} END {print f}' "$repo/content/decorate/frames.txt")
framed=${last_frame/\{\}/Zelto小白}
window_changes xdotool key Next Next Next Next Next Next Next Next Next Next Next Next || fail "PageDown did not move"
xdotool key Return
wait_until 5 clipboard_is "$framed" || fail "the last row copied '$(clipboard)', not the frame '$framed'"
shot 03-decorate-frame
wait_until 5 grep -qxF "$fraktur" "$XDG_DATA_HOME/zelto/recent.txt" || fail "the copy was not recorded as recent"
xdotool key Escape
wait_until 5 no_decorate_window || fail "Esc did not close the window"

# --- "装饰此网名" on a boy's nick name ---------------------------------------------------
changes "${part[page]}" click_in_main 239 63 || fail "the tab 〖经典个性网名〗 did not open"
windows=$(program_windows | wc -l)
xdotool mousemove $(($(geometry "$main" | cut -d' ' -f1) + 331)) $(($(geometry "$main" | cut -d' ' -f2) + 129)) click 3
wait_until 5 more_windows_than "$windows" || fail "a right click on a nick name opened no menu"
shot 04-name-menu
# 查找与收藏, Emoji表情, 收藏此条, 花样网名, 装饰此网名
xdotool key Down Down Down Down Down Return
wait_until 5 has_decorate_window || fail "\"装饰此网名\" did not open the window"
take_keyboard
printf 'other' | xclip -selection clipboard
xdotool key ctrl+a ctrl+c
wait_until 5 grep -qxF "$(clipboard)" "$repo/content/catalogue/gxnswm.txt" \
    || fail "the name field holds '$(clipboard)', not a boy's nick name"
shot 05-name-filled
