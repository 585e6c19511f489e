#!/usr/bin/env bash
# The desktop-wide key on a real X server: with an xterm (running cat into a file) or a Qt
# line edit in front, Ctrl+Alt+Z brings the find window with the keyboard in its field;
# "kx" and Enter put "(^o^)" into that window without its label, also while the main
# window sits in the tray, which it keeps doing; Shift+Enter twice pastes two entries and
# keeps the window; Esc hides it. With the key held by another program, the start says
# so in a notice and the program works on.
# Run by tests/e2e/run.sh.
set -euo pipefail

source "$(dirname "$0")/lib.sh"
trap end_started EXIT

target_program=$E2E_BIN/zelto_e2e_target
[ -x "$target_program" ] || fail "no $target_program: build the target zelto_e2e_target"
command -v xterm >/dev/null || fail "xterm is not installed"

active_name() { xdotool getactivewindow getwindowname 2>/dev/null; }
active_is() { [ "$(active_name)" = "$1" ]; }
find_window() { xdotool search --onlyvisible --name '^查找与收藏$' 2>/dev/null | head -1; }
find_shown() { [ -n "$(find_window)" ] && active_is 查找与收藏; }
find_gone() { [ -z "$(find_window)" ]; }
content_is() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }
# Brings a window to the front and waits until it has the keyboard.
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; wait_until 5 active_is "$2"; }
summon() {
    xdotool key ctrl+alt+z
    wait_until 5 find_shown || fail "Ctrl+Alt+Z did not bring the find window to the front (active: $(active_name))"
}

write_settings
./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
app=$!
pids+=("$app")
wait_until 10 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in"

# --- an xterm, with the main window in the tray ------------------------------------------
title_button tray
wait_until 5 unmapped "$main" || fail "the window did not go to the tray"
wait_until 5 has_tray_icon || fail "no icon in the tray"
typed=$PWD/xterm.txt
# Without line editing, cat writes each character as it arrives: a Return after the paste
# could overtake the paste, which xterm finishes only when the selection reaches it.
xterm -title 'chat' -geometry 60x10+40+600 -e sh -c "stty -icanon; cat > '$typed'" &
pids+=($!)
wait_until 10 eval '[ -n "$(xdotool search --onlyvisible --name "^chat$" 2>/dev/null)" ]' || fail "no xterm"
term=$(xdotool search --onlyvisible --name '^chat$' | head -1)
focus "$term" chat || fail "the xterm did not get the keyboard"
summon
shot 01-summoned
xdotool type kx
xdotool key Return
wait_until 5 find_gone || fail "Enter did not hide the find window"
wait_until 5 active_is chat || fail "the xterm did not get the keyboard back: $(active_name)"
wait_until 5 content_is "$typed" '(^o^)' || fail "the xterm got '$(cat "$typed")' instead of (^o^)"
unmapped "$main" || fail "the main window left the tray"
has_tray_icon || fail "the tray icon went away"
shot 02-pasted-into-xterm

# --- a Qt line edit, two entries in a row -----------------------------------------------
edited=$PWD/edit.txt
"$target_program" "$edited" &
pids+=($!)
wait_until 10 eval '[ -n "$(xdotool search --onlyvisible --name "^paste target$" 2>/dev/null)" ]' || fail "no target"
edit=$(xdotool search --onlyvisible --name '^paste target$' | head -1)
focus "$edit" 'paste target' || fail "the line edit did not get the keyboard"
summon
xdotool type kx
xdotool key shift+Return
wait_until 5 content_is "$edited" '(^o^)' || fail "the line edit got '$(cat "$edited" 2>/dev/null)'"
wait_until 5 find_shown || fail "Shift+Enter did not keep the find window in front"
xdotool key Down shift+Return
wait_until 5 content_is "$edited" '(^o^)^o^' || fail "the second paste gave '$(cat "$edited" 2>/dev/null)'"
wait_until 5 find_shown || fail "the second Shift+Enter did not keep the find window"
shot 03-two-pasted
xdotool key Escape
wait_until 5 find_gone || fail "Esc did not hide the find window"
unmapped "$main" || fail "Esc brought the main window out of the tray"

# Going to another window hides it as well.
summon
focus "$term" chat || fail "the xterm did not take the keyboard back"
wait_until 5 find_gone || fail "the find window stayed after the user went elsewhere"

# --- the key held by another program ----------------------------------------------------
kill "$app"
wait "$app" 2>/dev/null || true
"$target_program" "$PWD/grabber.txt" --grab >"$PWD/grabber.out" &
pids+=($!)
wait_until 10 file_has "$PWD/grabber.out" grabbed || fail "the helper could not take Ctrl+Alt+Z"
./zelto >"$E2E_SHOTS/zelto-2.log" 2>&1 &
app=$!
pids+=("$app")
warning() { xdotool search --onlyvisible --name '警告$' 2>/dev/null | head -1; }
wait_until 10 eval '[ -n "$(warning)" ]' || fail "no notice that the key is taken"
shot 04-key-taken
xdotool windowactivate --sync "$(warning)" key Return >/dev/null 2>&1 || xdotool key Return
wait_until 5 eval '[ -z "$(warning)" ]' || fail "the notice did not close"
kill -0 "$app" || fail "the program ended after the notice"
# The program works on: its window is there and answers F1.
wait_until 5 find_main || fail "no main window after the notice"
caught_up || fail "the program does not answer after the notice"
echo "summoned over an xterm and a Qt window, pasted without labels, kept open with Shift+Enter; a taken key was reported"
