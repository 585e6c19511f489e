#!/usr/bin/env bash
# Pasting while another program owns the clipboard but does not answer: the paste gives
# up, the program keeps running and the conversion memo keeps its text.
# Run by tests/e2e/run.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

hung=""
finish() {
    if [ -n "$hung" ]; then
        kill -CONT "$hung" 2>/dev/null || true
        kill "$hung" 2>/dev/null || true
        wait "$hung" 2>/dev/null || true
    fi
    end_started
}
trap finish EXIT

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
alive() { kill -0 "$app" 2>/dev/null; }
# "复制全部" and its notice: what the memo holds, then on the clipboard.
copy_all() {
    click_on copy_all
    wait_until "$1" has_notice || return 1
    answer_notice Return
}

write_settings
./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
app=$!
pids+=($app)
wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 viewable "$main" || fail "the main window is not shown"

text='这是要保留的文字'
click_on tab_convert
printf '%s' "$text" | xclip -i -selection clipboard
wait_until 5 clipboard_is "$text" || fail "xclip did not take the clipboard"
click_on memo
xdotool key ctrl+v
copy_all 10 || fail "no notice after 复制全部"
wait_until 5 clipboard_is "$text" || fail "the memo holds '$(clipboard)', not the pasted '$text'"

# A clipboard owner that stops answering as soon as it holds the clipboard.
printf x | xclip -i -selection clipboard -quiet >/dev/null 2>&1 &
hung=$!
wait_until 5 clipboard_is x || fail "the second xclip did not take the clipboard"
kill -STOP "$hung"

click_on memo
xdotool key ctrl+v
shot pasting-while-hung
# Events are handled in order: the notice of 复制全部 comes once the paste has given up.
copy_all 60 || fail "no notice after the paste ($(alive && echo still running || echo the program ended))"
alive || fail "the program ended"
wait_until 5 clipboard_is "$text" || fail "the memo holds '$(clipboard)' after the paste, not '$text'"
echo "the paste from a hung clipboard owner inserted nothing, and the program kept its text"
