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
sleep 2.2
later=$(countdown "$help") || fail "the help notice lost its countdown"
[ "$later" -lt "$count" ] || fail "the help notice is not counting down: $count then $later"
[ -s "$opened" ] && fail "a web page opened before the help notice was closed: $(cat "$opened")"
answer_notice Return || fail "Return did not close the help notice"

welcome=$(maker AdvertisingPage)
wait_until 5 grep -qxF "$welcome" "$opened" || fail "the first start did not open $welcome: $(cat "$opened")"
wait_until 10 find_main || fail "the main window did not appear"
sleep 1.5 # the fade-in
shot 02-main-window
grep -q '^zeltorjqm' "$XDG_CONFIG_HOME/zelto/settings.ini" || fail "the help marker was not stored"

# --- a collection: the first one, read whole and copied through its own menu ----------
click_in_main 342 63 # the tab 〖特殊字符〗
sleep 0.5
click_in_main 300 200
xdotool key ctrl+a
# "复制" follows the selection as the pointer moves over the memo.
xdotool mousemove_relative 5 5
sleep 0.2
shot 03-collection
xdotool click 3
sleep 0.6
click_in_main 345 220 # the memo menu's one item, "复制", just below the pointer
sleep 0.5
wait_until 5 has_notice && answer_notice Return
expected=$(tr -d '\r' <"$repo/content/collections/01.txt")
[ "$(clipboard)" = "$expected" ] || { clipboard >"$E2E_SHOTS/collection-copied.txt"; fail "the copied collection differs from content/collections/01.txt (see collection-copied.txt)"; }

# --- a signature: the second row, copied with "复制" ----------------------------------
click_in_main 124 63 # the tab 〖经典个性签名〗
sleep 0.5
click_in_main 126 105 # the second row
sleep 0.3
click_in_main 659 480 # "复制" beside the viewer
wait_until 5 has_notice || fail "no notice after copying a signature"
shot 04-signature-copied
answer_notice Return || fail "Return did not close the copy notice"
signature=$(sed -n 2p "$repo/content/catalogue/gxqm.txt")
[ "$(clipboard)" = "$signature" ] || fail "clipboard holds '$(clipboard)', not the second signature '$signature'"

# --- conversion: simplified text pasted in, converted, copied out ----------------------
click_in_main 427 63 # the tab 〖简转繁〗
sleep 0.5
printf '这是简体中文，欢迎来聊天' | xclip -i -selection clipboard
click_in_main 335 245
xdotool key ctrl+v
sleep 0.3
click_in_main 90 475 # "简转繁[普通]"
sleep 0.3
shot 05-converted
click_in_main 490 475 # "复制全部"
wait_until 5 has_notice || fail "no notice after 复制全部"
answer_notice Return
[ "$(clipboard)" = '這是簡體中文，歡迎來聊天' ] || fail "the conversion gave '$(clipboard)'"

# --- settings: the exit question and docking, from the menu ---------------------------
click_in_main 87 39 # "设  置"
sleep 0.4
xdotool key Down Return # "显示退出确定"
sleep 0.3
click_in_main 87 39
sleep 0.4
shot 06-settings-menu
xdotool key Down Down Down Return # "吸附窗体", below "半透明"
sleep 0.3
grep -q '^zelsigtcts' "$XDG_CONFIG_HOME/zelto/settings.ini" || fail "the exit question was not switched on"
grep -q '^zelsigxfct' "$XDG_CONFIG_HOME/zelto/settings.ini" || fail "docking was not switched on"

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
sleep 0.3
drag_main_to "$mx" 200
wait_until 3 top_is 200 || fail "could not be dragged off the top edge: $(geometry "$main")"
xdotool mousemove 1000 900
sleep 1.5
top_is 200 || fail "hid after leaving the edge: $(geometry "$main")"
shot 08-undocked

# --- to the tray and back --------------------------------------------------------------
read -r mx my mw _ < <(geometry "$main")
xdotool mousemove $((mx + mw - 52)) $((my + 14)) click 1 # the title bar's tray button
wait_until 5 unmapped "$main" || fail "the window is still shown after the tray button"
wait_until 5 has_tray_icon || fail "no icon in the tray"
shot 09-in-tray
read -r ix iy iw ih < <(geometry "$(tray_icon)")
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click --repeat 2 --delay 60 1
wait_until 5 viewable "$main" || fail "the double-click did not bring the window back"
wait_until 5 no_tray_icon || fail "the icon stayed after the window came back"
sleep 1.5

# --- closing: No keeps it, Yes ends it, and the first close opens its page -------------
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key alt+F4
wait_until 5 has_notice || fail "no exit question"
count=$(countdown "$(notice)") || fail "the exit question has no countdown"
[ "$count" -le 10 ] && [ "$count" -ge 8 ] || fail "the exit question does not count down from 10: $count"
shot 10-exit-question
answer_notice Escape || fail "Escape did not answer the exit question"
sleep 0.5
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
