# Helpers shared by the end-to-end tests; sourced, not run. Expects DISPLAY and
# E2E_SHOTS (see run.sh).

# What a script starts in the background goes into pids; end_started ends it, last first.
pids=()
end_started() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
}

shot() { import -window root "$E2E_SHOTS/$1.png" 2>/dev/null || true; }

# Reports a failure with a screenshot and the end of the program's log, and stops.
fail() {
    echo "FAILED: $*"
    shot failure
    tail -n 20 "$E2E_SHOTS/zelto.log" 2>/dev/null | sed 's/^/    zelto: /'
    exit 1
}

# Polls a command for up to $1 seconds.
wait_until() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.1
    done
}

# "x y w h" of a window, in screen coordinates.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                             /^  Width/ {w=$2} /^  Height/ {h=$2} END {print x, y, w, h}'
}
# Matched on captured output: with pipefail, "grep -q" closing a pipe early would fail
# the writer and so the whole test.
viewable() { [[ $(xwininfo -id "$1" 2>/dev/null) == *'Map State: IsViewable'* ]]; }
have_tray() { [[ $(xwininfo -root -tree 2>/dev/null) == *'("panel" "trayer")'* ]]; }
unmapped() { ! viewable "$1"; }

# The program's visible windows, one "id x y w h name" line each.
program_windows() {
    local w
    for w in $(xdotool search --onlyvisible --class '^zelto$' 2>/dev/null); do
        echo "$w $(geometry "$w") $(xdotool getwindowname "$w" 2>/dev/null)"
    done
}
# The tray icon is the program's small window inside the notification area.
tray_icon() { program_windows | awk '$4 <= 48 && $5 <= 48 {print $1; exit}'; }
has_tray_icon() { [ -n "$(tray_icon)" ]; }
no_tray_icon() { ! has_tray_icon; }

# A notice or question: its title ends in the kind's title "信息".
notice() { xdotool search --onlyvisible --name '信息$' 2>/dev/null | head -1; }
has_notice() { [ -n "$(notice)" ]; }
no_notice() { [ -z "$(notice)" ]; }
# Waits for the notice's title to show its countdown, "(N)  信息", and prints N.
countdown() {
    local title i
    for i in $(seq 30); do
        title=$(xdotool getwindowname "$1" 2>/dev/null || true)
        if [[ $title =~ ^\(([0-9]+)\)\ \ 信息$ ]]; then
            echo "${BASH_REMATCH[1]}"
            return 0
        fi
        sleep 0.1
    done
    echo "no countdown in '$title'" >&2
    return 1
}
# Answers the notice or question on screen with a key (Return: OK or Yes; Escape: No).
answer_notice() {
    local dialog
    dialog=$(notice)
    [ -n "$dialog" ] || return 1
    xdotool windowactivate --sync "$dialog" key "$1" 2>/dev/null || xdotool key "$1"
    wait_until 5 unmapped "$dialog"
}

# The main window: its title carries the version.
find_main() {
    main=$(xdotool search --onlyvisible --name 'V4\.0\.3' 2>/dev/null | head -1)
    [ -n "$main" ]
}

# Clicks a point given relative to the main window's top-left corner.
click_in_main() {
    local g
    g=($(geometry "$main"))
    xdotool mousemove $((g[0] + $1)) $((g[1] + $2)) click 1
}

# Drags the main window by its title bar to put its top-left corner at (x, y), in steps,
# as a hand would.
drag_main_to() {
    local g gx gy step
    g=($(geometry "$main"))
    gx=$((g[0] + 300))
    gy=$((g[1] + 14))
    xdotool mousemove "$gx" "$gy" mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((gx + ($1 - g[0]) * step / 8)) $((gy + ($2 - g[1]) * step / 8))
        sleep 0.05
    done
    xdotool mouseup 1
}

# Writes the settings of a user who has seen the first-run notices, plus any keys given
# as "key\\value=data" lines.
write_settings() {
    local marker line
    mkdir -p "$XDG_CONFIG_HOME/zelto"
    {
        echo '[Software]'
        for line in "$@"; do echo "$line"; done
        for marker in zeltorjqm zeltowllj zeltoqzone; do
            echo "$marker\\rjname=Zelto"
            echo "$marker\\banben=v 4.0.3"
            echo "$marker\\gxriqi=2008-02-23"
        done
    } >"$XDG_CONFIG_HOME/zelto/settings.ini"
}

# Starts an X server of its own with the given screen ("3840x2160x24") and openbox on it,
# for tests that need another screen than the suite's; sets DISPLAY to it.
start_own_x_server() {
    local n i
    for n in $(seq 121 200); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "$1" -nolisten tcp >"$E2E_SHOTS/xvfb.log" 2>&1 &
        pids+=($!)
        for i in $(seq 50); do
            if xprop -display ":$n" -root >/dev/null 2>&1; then
                export DISPLAY=":$n"
                openbox >"$E2E_SHOTS/openbox.log" 2>&1 &
                pids+=($!)
                wait_until 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" ||
                    fail "openbox did not start"
                return 0
            fi
            kill -0 "${pids[-1]}" 2>/dev/null || break
            sleep 0.1
        done
    done
    fail "no X server of our own could be started"
}
