#!/usr/bin/env bash
# A newcomer without a mouse: 〖经典个性签名〗 by Ctrl+Tab, the third signature by the
# arrows, Enter to copy it, the notice answered by Return; xclip reads what was copied.
# Only the keyboard is used. Run by tests/e2e/run.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
source "$here/lib.sh"

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
viewer_shows() { picture_differs "${part[viewer]}" "$1"; }

write_settings
./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
pids+=($!)
trap end_started EXIT
wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in"
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
part[viewer]="600x16+12+474" # the viewer below the list
third=$(sed -n 3p "$repo/content/catalogue/gxqm.txt")
echo "expected third entry: $third"
printf 'before' | xclip -selection clipboard

changes "${part[page]}" xdotool key ctrl+Tab || fail "Ctrl+Tab did not open the next page"
before=$(picture "${part[viewer]}")
xdotool key Down Down
wait_until 5 viewer_shows "$before" || fail "the arrows did not change the viewer"
shot 01-third-entry
xdotool key Return
wait_until 10 has_notice || fail "Enter on the list showed no copy notice"
shot 02-notice
answer_notice Return || fail "Return did not close the copy notice"
wait_until 5 clipboard_is "$third" || fail "the clipboard holds '$(clipboard)', not the third entry"
echo "copied: $(clipboard)"
