#!/usr/bin/env bash
# Find and keep, as a newcomer uses it: Ctrl+F, "kx", Enter copies a 开心 emoticon without
# its label; Ctrl+D stars it; after a restart it is under 收藏; an own entry added under
# 我的 is found by its pinyin; with quiet copy switched on, copying a signature brings no
# dialog. What is copied is read from outside with xclip.
# Run by tests/e2e/run.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
source "$here/lib.sh"

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
find_window() { xdotool search --onlyvisible --name '^查找与收藏$' 2>/dev/null | head -1; }
has_find_window() { [ -n "$(find_window)" ]; }
no_find_window() { [ -z "$(find_window)" ]; }
editor() { xdotool search --onlyvisible --name '^添加我的条目$' 2>/dev/null | head -1; }
has_editor() { [ -n "$(editor)" ]; }
more_windows_than() { [ "$(program_windows | wc -l)" -gt "$1" ]; }
data=$XDG_DATA_HOME/zelto

start() {
    ./zelto >>"$E2E_SHOTS/zelto.log" 2>&1 &
    app=$!
    pids+=("$app")
    wait_until 15 find_main || fail "the main window did not appear"
    wait_until 5 faded_in "$main" || fail "the main window did not fade in: opacity $(opacity "$main")"
}
stop() {
    kill "$app"
    wait "$app" 2>/dev/null || true
}
open_find() {
    xdotool windowactivate --sync "$main" key ctrl+f
    wait_until 5 has_find_window || fail "Ctrl+F did not open the find window"
    win=$(find_window)
    xdotool windowactivate --sync "$win" 2>/dev/null || true
    wait_until 5 active_is "$win" || fail "the find window did not take the keyboard"
}
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# Something typed into the find window has changed what it shows.
find_changes() {
    local before
    before=$(window_picture "$win")
    "$@"
    wait_until 5 window_differs "$win" "$before"
}
window_picture() { import -window "$1" rgb:- 2>/dev/null | md5sum; }
window_differs() { [ "$(window_picture "$1")" != "$2" ]; }

write_settings
trap end_started EXIT
start

# --- search by initials, copy with Enter --------------------------------------------------
open_find
shot 01-find-open
find_changes xdotool type --delay 80 kx || fail "typing kx changed nothing"
shot 02-find-kx
xdotool key Return
# The first 开心 emoticon of the collection, without its label.
face=$(awk '/^【开心】/ {on=1; next} on && /  +开心$/ {sub(/ +开心$/, ""); print; exit}' "$repo/content/collections/18.txt")
wait_until 5 clipboard_is "$face" || fail "Enter copied '$(clipboard)', not the emoticon '$face'"
no_notice || fail "copying in the find window brought a notice"

# --- star it; it is kept across a restart ------------------------------------------------
xdotool key ctrl+d
wait_until 5 grep -qxF "$face" "$data/favourites.txt" || fail "Ctrl+D did not store the favourite"
grep -qxF "$face" "$data/recent.txt" || fail "the copy was not recorded as recent"
xdotool key Escape
wait_until 5 no_find_window || fail "Esc did not close the find window"
stop

start
open_find
find_changes xdotool key ctrl+2 || fail "Ctrl+2 did not show the favourites"
shot 03-favourites
xdotool key Return
wait_until 5 clipboard_is "$face" || fail "the favourite after the restart is '$(clipboard)', not '$face'"

# --- an own entry under 我的, found by its pinyin -----------------------------------------
own='喵星人 (=^.^=)'
printf '%s' "$own" | xclip -selection clipboard
xdotool key ctrl+4 Insert
wait_until 5 has_editor || fail "Insert did not open the editor of own entries"
xdotool windowactivate --sync "$(editor)" 2>/dev/null || true
wait_until 5 active_is "$(editor)" || fail "the editor did not take the keyboard"
xdotool key ctrl+v
shot 04-own-entry
xdotool key ctrl+Return
wait_until 5 grep -qxF "$own" "$data/mine.txt" || fail "the own entry was not stored"
wait_until 5 active_is "$win" || fail "the find window did not take the keyboard back"
xdotool key ctrl+1 ctrl+a
find_changes xdotool type --delay 80 mxr || fail "typing mxr changed nothing"
shot 05-own-found
printf 'other' | xclip -selection clipboard
xdotool key Return
wait_until 5 clipboard_is "$own" || fail "mxr did not find the own entry first: '$(clipboard)'"
xdotool key Escape
wait_until 5 no_find_window || fail "Esc did not close the find window (2)"

# --- quiet copy: switched on in the settings menu, no dialog after a copy -----------------
windows=$(program_windows | wc -l)
click_on settings
wait_until 5 more_windows_than "$windows" || fail "the settings menu did not open"
xdotool key Up Up Return # "安静复制", above the last item "快捷键…"
wait_until 5 grep -q '^zelsigajfz' "$XDG_CONFIG_HOME/zelto/settings.ini" || fail "quiet copy was not stored"
changes "${part[page]}" click_on tab_signatures || fail "the tab 〖经典个性签名〗 did not open"
changes "${part[page]}" click_on second_row || fail "the second row was not chosen"
click_on copy
signature=$(sed -n 2p "$repo/content/catalogue/gxqm.txt")
wait_until 5 clipboard_is "$signature" || fail "the quiet copy put '$(clipboard)' on the clipboard, not '$signature'"
shot 07-quiet-copy
# A notice of the copy would block the main window, and Ctrl+F with it.
xdotool windowactivate --sync "$main" key ctrl+f
wait_until 5 has_find_window || fail "a notice came up although quiet copy is on: $(notice)"
no_notice || fail "a notice came up although quiet copy is on"
xdotool key Escape
[ "$(head -1 "$data/recent.txt")" = "$signature" ] || fail "the quiet copy was not recorded as the newest recent copy"
stop
