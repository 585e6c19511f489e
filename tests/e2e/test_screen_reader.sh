#!/usr/bin/env bash
# The same keyboard path with the accessibility bridge on, under at-spi2-core on a session
# bus of our own: what a screen reader hears is read from the accessibility bus by
# atspi_events.py. Choosing the third signature announces that entry, not its number;
# in the find window the count is announced and typing brings no focus from the results.
# Run by tests/e2e/run.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
source "$here/lib.sh"

launcher=/usr/libexec/at-spi-bus-launcher
for tool in dbus-daemon dbus-send "$launcher" /usr/bin/python3; do
    command -v "$tool" >/dev/null 2>&1 || fail "missing $tool (install dbus-daemon at-spi2-core python3-pyatspi)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "missing python3-pyatspi"

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
events=$E2E_SHOTS/atspi-events.txt
heard() { grep -qF -- "$1" "$events" 2>/dev/null; }
new_count_heard() { tail -n +"$((mark + 1))" "$events" | grep -q "共 "; }
a11y_bus_up() { dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; }
trap end_started EXIT

# A session bus of our own, with the accessibility bus behind it.
busfile=$E2E_SHOTS/session-bus
: >"$busfile"
dbus-daemon --session --nofork --nosyslog --print-address=3 3>"$busfile" >"$E2E_SHOTS/dbus.log" 2>&1 &
pids+=($!)
wait_until 10 test -s "$busfile" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$busfile")
"$launcher" --launch-immediately >"$E2E_SHOTS/at-spi.log" 2>&1 &
pids+=($!)
wait_until 15 a11y_bus_up || fail "the accessibility bus did not come up"

: >"$events"
/usr/bin/python3 "$here/atspi_events.py" "$events" 2>"$E2E_SHOTS/atspi-listener.log" &
pids+=($!)
wait_until 15 heard ready || fail "the listener did not start: $(tail -3 "$E2E_SHOTS/atspi-listener.log")"

write_settings
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ./zelto >"$E2E_SHOTS/zelto.log" 2>&1 &
pids+=($!)
wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in"
# Active once the reader hears where the keyboard is.
activated() {
    xdotool windowactivate "$main" >/dev/null 2>&1
    grep -q $'^focus\t' "$events"
}
wait_until 15 activated || fail "the main window did not take the keyboard: $(xdotool windowactivate "$main" 2>&1)"

first=$(sed -n 1p "$repo/content/catalogue/gxqm.txt")
third=$(sed -n 3p "$repo/content/catalogue/gxqm.txt")
xdotool key ctrl+Tab
wait_until 10 heard "$(printf 'focus\ttable cell\t%s' "$first")" || fail "entering the list did not announce its first entry"
xdotool key Down Down
wait_until 10 heard "$(printf 'focus\ttable cell\t%s' "$third")" || fail "the reader did not hear the third entry"
shot 01-third-entry
# The key column never has the focus: no number is announced.
if grep -qP '^focus\ttable cell\t[0-9]+$' "$events"; then fail "a row's number was announced: $(grep -P '^focus\ttable cell\t[0-9]+$' "$events" | head -3)"; fi
printf 'before' | xclip -selection clipboard
xdotool key Return
wait_until 10 has_notice || fail "Enter on the list showed no copy notice"
answer_notice Return || fail "Return did not close the copy notice"
wait_until 5 clipboard_is "$third" || fail "the clipboard holds '$(clipboard)', not the third entry"

# The find window: the field has the focus, the count is announced, the results stay quiet.
xdotool key ctrl+f
wait_until 10 heard "$(printf 'focus\ttext\t查找')" || fail "the find field was not announced"
wait_until 15 heard "共 " || fail "the find window's count was not announced"
mark=$(wc -l <"$events")
xdotool type --delay 150 kx
wait_until 10 new_count_heard || fail "the count after typing was not announced"
if tail -n +"$((mark + 1))" "$events" | grep -q $'^focus\ttable cell'; then
    fail "typing brought focus from the results: $(tail -n +"$((mark + 1))" "$events" | grep $'^focus\ttable cell' | head -3)"
fi
shot 02-find
echo "heard:"
sed 's/^/  /' "$events" | head -40
