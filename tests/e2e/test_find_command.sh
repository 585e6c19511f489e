#!/usr/bin/env bash
# `zelto --find TEXT` as a desktop keybinding or a script uses it: against a running copy
# it ends at once and that copy's find window comes to the front with the text in its
# field, also from the tray; with no copy running it starts the program with the find
# window open. The field's text is read back by copying its selection with xclip.
# Run by tests/e2e/run.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap end_started EXIT

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
find_window() { xdotool search --onlyvisible --name '^查找与收藏$' 2>/dev/null | head -1; }
has_find_window() { [ -n "$(find_window)" ]; }
no_find_window() { [ -z "$(find_window)" ]; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# The find window is in front with the keyboard and TEXT selected in its field.
field_shows() {
    local win
    wait_until 10 has_find_window || fail "no find window for “$1”"
    win=$(find_window)
    wait_until 5 active_is "$win" || fail "the find window did not take the keyboard"
    printf 'other' | xclip -selection clipboard
    xdotool key ctrl+c
    wait_until 5 clipboard_is "$1" || fail "the field holds “$(clipboard)”, not “$1”"
}

write_settings
./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
first=$!
pids+=($first)
wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in: opacity $(opacity "$main")"

timeout 10 ./zelto --find kx >"$E2E_SHOTS/find.log" 2>&1 || fail "zelto --find kx ended with $?: $(cat "$E2E_SHOTS/find.log")"
field_shows kx
shot 01-find-kx-from-running-copy

# Hidden in the tray, and the find window closed: the command brings it back.
xdotool key Escape
wait_until 5 no_find_window || fail "Esc did not close the find window"
title_button tray
wait_until 5 unmapped "$main" || fail "the main window did not go to the tray"
timeout 10 ./zelto --find 开心 >>"$E2E_SHOTS/find.log" 2>&1 || fail "zelto --find 开心 ended with $?"
field_shows 开心
shot 02-find-from-tray
unmapped "$main" || fail "the main window left the tray"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

# No copy runs: the program starts with the find window open.
kill "$first"
wait "$first" 2>/dev/null || true
./zelto --find xq >"$E2E_SHOTS/second.log" 2>&1 &
pids+=($!)
wait_until 15 find_main || fail "zelto --find did not start the program"
field_shows xq
shot 03-find-started-program
echo "--find reached the running copy (also from the tray) and started one where none ran"
