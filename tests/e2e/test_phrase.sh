#!/usr/bin/env bash
# Phrase-level conversion as a user meets it on the conversion page: text pasted in and
# converted by the memo menu's "按词组转换 → 简体→繁体", with no review mark where phrases
# decided every character; then a lone 发, marked, its mark clicked and 髮 chosen from
# the candidates, and the text copied out and read back with xclip. Marks are found on
# screen by their colour. Run by tests/e2e/run.sh.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap end_started EXIT

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
window_count() { program_windows | wc -l; }
more_windows_than() { [ "$(window_count)" -gt "$1" ]; }
at_most_windows() { [ "$(window_count)" -le "$1" ]; }

# "x y" of every pixel in the main window drawn in the review marks' background colour.
mark_pixels() {
    local g
    g=($(geometry "$main"))
    import -window root "$E2E_SHOTS/now.png" 2>/dev/null
    convert "$E2E_SHOTS/now.png" -crop "${g[2]}x${g[3]}+${g[0]}+${g[1]}" +repage txt:- |
        awk -F'[,: ]+' 'toupper($0) ~ /#FDECEA/ {print $1, $2}'
}
no_marks() { [ -z "$(mark_pixels)" ]; }
has_marks() { [ -n "$(mark_pixels)" ]; }

# Right-clicks the memo and chooses "按词组转换 → 简体→繁体" with the keyboard: the
# submenu is the last enabled item of the memo's menu while nothing waits for review.
# Fails (without stopping the test) when the submenu does not open, as it does not while
# all of its items are disabled.
convert_by_phrases() {
    local before
    before=$(window_count)
    click_on memo
    xdotool click 3
    wait_until 5 more_windows_than "$before" || fail "the memo's menu did not open"
    xdotool key Up Right
    if ! wait_until 2 more_windows_than $((before + 1)); then
        xdotool key Escape
        wait_until 5 at_most_windows "$before" || fail "the memo's menu did not close"
        return 1
    fi
    xdotool key Return
    wait_until 5 at_most_windows "$before" || fail "the menus did not close"
}

# 复制全部, its notice answered; prints what the clipboard then holds.
copy_all() {
    printf 'old' | xclip -i -selection clipboard
    click_on copy_all
    wait_until 5 has_notice || fail "no notice after 复制全部"
    answer_notice Return
    clipboard
}

paste_text() {
    printf '%s' "$1" | xclip -i -selection clipboard
    click_on clear_all
    click_on memo
    xdotool key ctrl+v
}

write_settings
./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
pids+=($!)
wait_until 15 find_main || fail "the main window did not appear"
click_on tab_convert

# The dictionaries load in the background: until then the items are disabled.
paste_text '我的头发和发展'
converted=""
for attempt in 1 2 3 4 5; do
    convert_by_phrases || continue
    converted=$(copy_all)
    [ "$converted" = '我的頭髮和發展' ] && break
done
[ "$converted" = '我的頭髮和發展' ] || fail "按词组转换 gave '$converted'"
shot 01-phrases
no_marks || fail "marks where phrases decided: $(mark_pixels | head -3)"

paste_text '发'
convert_by_phrases || fail "the submenu 按词组转换 did not open"
wait_until 5 has_marks || fail "no review mark on a lone 发"
shot 02-marked
read -r x0 y0 x1 y1 < <(mark_pixels | awk 'NR == 1 {a = c = $1; b = d = $2}
    {a = $1 < a ? $1 : a; c = $1 > c ? $1 : c; b = $2 < b ? $2 : b; d = $2 > d ? $2 : d}
    END {print a, b, c, d}')
[ $((x1 - x0)) -lt 30 ] || fail "more than one character marked: x $x0..$x1"

before=$(window_count)
ids=$(program_windows | awk '{print $1}')
click_in_main $(((x0 + x1) / 2)) $(((y0 + y1) / 2))
wait_until 5 more_windows_than "$before" || fail "a click on the mark offered no candidates"
shot 03-candidates
menu=$(program_windows | awk '{print $1}' | grep -vxF "$ids" | head -1 || true)
[ -n "$menu" ] || fail "no candidate menu among: $(program_windows)"
read -r mx my mw mh < <(geometry "$menu")
xdotool mousemove $((mx + mw / 2)) $((my + mh * 3 / 4)) click 1 # the second candidate, 髮
wait_until 5 no_marks || fail "the mark stayed after choosing"
[ "$(copy_all)" = '髮' ] || fail "after choosing, the memo holds '$(clipboard)'"
shot 04-chosen
