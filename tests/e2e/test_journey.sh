#!/usr/bin/env bash
# A newcomer's first session, as they would click through it: the first start's help
# notice counting down and the web page that follows it, a collection read and copied, a
# signature chosen and copied, text converted to traditional characters, the exit
# question and docking switched on from the settings menu, the window docked at the top
# edge and taken off it again, sent to the tray and brought back, and closed after the
# question. Whatever the program copies is read from outside with xclip; the addresses
# it opens are caught by an xdg-open of ours at the front of PATH.
# Run by tests/e2e/run.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
source "$here/lib.sh"

# A value of info/Maker.h, so that the addresses are not written twice.
maker() { sed -n "s/.* $1 = QStringLiteral(\"\\(.*\\)\");/\\1/p" "$repo/info/Maker.h"; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
window_count() { program_windows | wc -l; }
more_windows_than() { [ "$(window_count)" -gt "$1" ]; }
at_most_windows() { [ "$(window_count)" -le "$1" ]; }

fakebin=$(dirname "$E2E_RUN_DIR")/bin
opened=$(dirname "$E2E_RUN_DIR")/opened.txt
mkdir -p "$fakebin"
: >"$opened"
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$opened" >"$fakebin/xdg-open"
chmod +x "$fakebin/xdg-open"

# --- first start: no settings at all ------------------------------------------------
[ ! -e "$XDG_CONFIG_HOME/zelto" ] || fail "the settings folder exists before the first start"
PATH=$fakebin:$PATH ./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
app=$!
alive() { kill -0 "$app" 2>/dev/null; }
gone() { ! alive; }

wait_until 15 has_notice || fail "no help notice on the first start"
help=$(notice)
count=$(countdown "$help") || fail "the help notice has no countdown"
[ "$count" -le 30 ] && [ "$count" -ge 25 ] || fail "the help notice does not count from 30: $count"
shot 01-help-notice
countdown "$help" "$count" >/dev/null || fail "the help notice is not counting down from $count"
[ -s "$opened" ] && fail "a web page opened before the help notice was closed: $(cat "$opened")"
answer_notice Return || fail "Return did not close the help notice"

welcome=$(maker AdvertisingPage)
wait_until 5 grep -qxF "$welcome" "$opened" || fail "the first start did not open $welcome: $(cat "$opened")"
wait_until 10 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in: opacity $(opacity "$main")"
shot 02-main-window
grep -q '^zeltorjqm' "$XDG_CONFIG_HOME/zelto/settings.ini" || fail "the help marker was not stored"

# --- a collection: the first one, read whole and copied through its own menu ----------
changes "${part[page]}" click_on tab_symbols || fail "the tab 〖特殊字符〗 did not open"
click_on collection
changes "${part[page]}" xdotool key ctrl+a || fail "Ctrl+A selected nothing"
# "复制" follows the selection as the pointer moves over the memo.
xdotool mousemove_relative 5 5
shot 03-collection
windows=$(window_count)
xdotool click 3
wait_until 5 more_windows_than "$windows" || fail "the collection's menu did not open"
read -r cx cy <<<"${spot[collection]}"
click_in_main $((cx + 45)) $((cy + 20)) # the menu's one item, "复制", just below the pointer
wait_until 5 has_notice && answer_notice Return
expected=$(tr -d '\r' <"$repo/content/collections/01.txt")
wait_until 5 clipboard_is "$expected" || { clipboard >"$E2E_SHOTS/collection-copied.txt"; fail "the copied collection differs from content/collections/01.txt (see collection-copied.txt)"; }

# --- a signature: the second row, copied with "复制" ----------------------------------
changes "${part[page]}" click_on tab_signatures || fail "the tab 〖经典个性签名〗 did not open"
changes "${part[page]}" click_on second_row || fail "the second row was not chosen"
click_on copy
wait_until 5 has_notice || fail "no notice after copying a signature"
shot 04-signature-copied
answer_notice Return || fail "Return did not close the copy notice"
signature=$(sed -n 2p "$repo/content/catalogue/gxqm.txt")
[ "$(clipboard)" = "$signature" ] || fail "clipboard holds '$(clipboard)', not the second signature '$signature'"

# --- conversion: simplified text pasted in, converted, copied out ----------------------
changes "${part[page]}" click_on tab_convert || fail "the tab 〖简转繁〗 did not open"
printf '这是简体中文，欢迎来聊天' | xclip -i -selection clipboard
wait_until 5 clipboard_is '这是简体中文，欢迎来聊天' || fail "xclip did not take the clipboard"
click_on memo
changes "${part[page]}" xdotool key ctrl+v || fail "Ctrl+V pasted nothing"
changes "${part[page]}" click_on convert_plain || fail "简转繁[普通] changed nothing"
shot 05-converted
click_on copy_all
wait_until 5 has_notice || fail "no notice after 复制全部"
answer_notice Return
[ "$(clipboard)" = '這是簡體中文，歡迎來聊天' ] || fail "the conversion gave '$(clipboard)'"

# --- settings: the exit question and docking, from the menu ---------------------------
settings=$XDG_CONFIG_HOME/zelto/settings.ini
windows=$(window_count)
click_on settings
wait_until 5 more_windows_than "$windows" || fail "the settings menu did not open"
xdotool key Down Return # "显示退出确定"
wait_until 5 file_has "$settings" '^zelsigtcts' || fail "the exit question was not switched on"
wait_until 5 at_most_windows "$windows" || fail "the settings menu did not close"
click_on settings
wait_until 5 more_windows_than "$windows" || fail "the settings menu did not open again"
shot 06-settings-menu
xdotool key Down Down Down Return # "吸附窗体", below "半透明"
wait_until 5 file_has "$settings" '^zelsigxfct' || fail "docking was not switched on"
wait_until 5 at_most_windows "$windows" || fail "the settings menu did not close again"

# --- docked at the top, hidden, shown, then taken off the edge ------------------------
top_is() { local g; g=($(geometry "$main")); [ "${g[1]}" -eq "$1" ]; }
read -r mx _ _ mh < <(geometry "$main")
drag_main_to "$mx" 4
wait_until 3 top_is 0 || fail "not docked at the top: $(geometry "$main")"
xdotool mousemove 1000 900
wait_until 3 top_is $((3 - mh)) || fail "did not hide at the top: $(geometry "$main")"
shot 07-hidden-at-top
xdotool mousemove $((mx + 300)) 1
wait_until 3 top_is 0 || fail "did not come back from the top: $(geometry "$main")"
drag_main_to "$mx" 200
wait_until 3 top_is 200 || fail "could not be dragged off the top edge: $(geometry "$main")"
xdotool mousemove 1000 900
caught_up || fail "F1 brought no help notice after leaving the window"
top_is 200 || fail "hid after leaving the edge: $(geometry "$main")"
shot 08-undocked

# --- to the tray and back --------------------------------------------------------------
title_button tray
wait_until 5 unmapped "$main" || fail "the window is still shown after the tray button"
wait_until 5 has_tray_icon || fail "no icon in the tray"
shot 09-in-tray
read -r ix iy iw ih < <(geometry "$(tray_icon)")
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click --repeat 2 --delay 60 1
wait_until 5 viewable "$main" || fail "the double-click did not bring the window back"
wait_until 5 no_tray_icon || fail "the icon stayed after the window came back"
wait_until 5 faded_in "$main" || fail "the window did not fade in after the tray: opacity $(opacity "$main")"

# --- closing: No keeps it, Yes ends it, and the first close opens its page -------------
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key alt+F4
wait_until 5 has_notice || fail "no exit question"
count=$(countdown "$(notice)") || fail "the exit question has no countdown"
[ "$count" -le 10 ] && [ "$count" -ge 8 ] || fail "the exit question does not count down from 10: $count"
shot 10-exit-question
answer_notice Escape || fail "Escape did not answer the exit question"
caught_up || fail "the program ended although the question was answered No"
alive || fail "the program ended although the question was answered No"
[ "$(wc -l <"$opened")" -eq 1 ] || fail "a page opened on a refused exit: $(cat "$opened")"

xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key alt+F4
wait_until 5 has_notice || fail "no exit question (2)"
answer_notice Return || fail "Return did not answer the exit question"
wait_until 10 gone || fail "the program did not end after Yes"
wait "$app" || fail "the program ended with status $?"
space=$(maker PersonalSpacePage)
grep -qxF "$space" "$opened" || fail "the first close did not open $space: $(cat "$opened")"
grep -q '^zeltoqzone' "$XDG_CONFIG_HOME/zelto/settings.ini" || fail "the close marker was not stored"
echo "first start, collection, signature, conversion, settings, docking, tray and close all worked"
