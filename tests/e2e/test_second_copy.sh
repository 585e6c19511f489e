#!/usr/bin/env bash
# Starting the program again while it runs: the second copy's notice comes up in front of
# the first copy's window (the second has no window of its own to sit on), OK ends the
# second copy, and the first carries on untouched.
# Run by tests/e2e/run.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap end_started EXIT

write_settings
./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
first=$!
pids+=($first)
wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in: opacity $(opacity "$main")"
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
click_on inside # the user is working in it

./zelto >"$E2E_SHOTS/second.log" 2>&1 &
second=$!
pids+=($second)
wait_until 15 has_notice || fail "the second copy showed no notice"
dialog=$(notice)
# Places in the window manager's stacking list, bottom first.
place() {
    local i=0 w
    for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,/ /g'); do
        [ $((w)) -eq "$1" ] && { echo $i; return; }
        i=$((i + 1))
    done
    echo -1
}
stacked_above() { [ "$(place "$1")" -gt "$(place "$2")" ]; }
wait_until 5 stacked_above "$dialog" "$main" ||
    fail "the notice is behind the first copy's window: $(xprop -root _NET_CLIENT_LIST_STACKING)"
shot second-copy-notice
[[ $(xdotool getwindowname "$dialog") == 信息 ]] || fail "unexpected title: $(xdotool getwindowname "$dialog")"

answer_notice Return || fail "Return did not close the notice"
wait_until 10 sh -c "! kill -0 $second 2>/dev/null" || fail "the second copy did not end after OK"
wait "$second" || fail "the second copy ended with status $?"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
viewable "$main" || fail "the first copy's window went away"
echo "the second copy's notice came up in front, and OK ended only the second copy"
