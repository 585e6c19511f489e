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

# Polls a command for up to $1 seconds: the one place where the tests pause.
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

# A window's opacity from 0 to 255, as its _NET_WM_WINDOW_OPACITY says (none: opaque).
# Qt writes level * 0xffffffff, that is opacity * 16843009.
opacity() {
    local value
    value=$(xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null) || return 1
    if [[ $value =~ =\ ([0-9]+) ]]; then
        echo $(((BASH_REMATCH[1] + 8421504) / 16843009))
    else
        echo 255
    fi
}
# The fade-in after a showing has reached the semi-transparent or the opaque end. The
# fade handles no input while it runs, so nothing sent after this waits on it.
faded_in() { local o; o=$(opacity "$1") && [ "$o" -ge 220 ]; }

# A digest of what part "WxH+X+Y" of the main window shows. The clock at the window's
# foot changes every second, so tests look at the part that they expect to change.
picture() { import -window "$main" -crop "$1" +repage rgb:- 2>/dev/null | md5sum; }
# Runs a command and waits until the given part of the main window shows something else.
changes() {
    local part=$1 before
    shift
    before=$(picture "$part")
    "$@"
    wait_until 5 picture_differs "$part" "$before"
}
picture_differs() { [ "$(picture "$1")" != "$2" ]; }

# The program has handled all input sent before: F1 brings its help notice only once
# everything queued ahead is done, and Return closes it again. For checks that something
# did not happen.
caught_up() {
    timeout 5 xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
    xdotool key F1
    wait_until 5 has_notice || return 1
    answer_notice Return
}

# A line of file $1 matches the pattern $2.
file_has() { grep -q "$2" "$1" 2>/dev/null; }

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
# Waits for the notice's title to show its countdown, "(N)  信息", and prints N; with a
# second argument, waits for a count below it.
countdown() {
    if wait_until 3 counts_below "$1" "${2:-100000}"; then
        echo "${BASH_REMATCH[1]}"
        return 0
    fi
    echo "no countdown below ${2:-any} in '$(xdotool getwindowname "$1" 2>/dev/null)'" >&2
    return 1
}
counts_below() {
    [[ $(xdotool getwindowname "$1" 2>/dev/null) =~ ^\(([0-9]+)\)\ \ 信息$ ]] && [ "${BASH_REMATCH[1]}" -lt "$2" ]
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

# Places in the main window, from its top-left corner: a 1-pixel border, the 28-pixel
# title bar, then the client area.
declare -A spot=(
    [inside]="300 300"          # somewhere in the open page
    [settings]="87 39"          # the menu "设  置"
    [on_top]="615 40"           # the check box "窗口置顶", at (606, 3) in the client area
    [tab_signatures]="124 63"   # the tab 〖经典个性签名〗
    [tab_symbols]="342 63"      # the tab 〖特殊字符〗
    [tab_convert]="427 63"      # the tab 〖简转繁〗
    [second_row]="126 105"      # the second row of a catalogue page's list
    [copy]="659 480"            # "复制" beside a catalogue page's viewer
    [collection]="300 200"      # the text of a collection
    [memo]="335 245"            # the conversion page's text
    [convert_plain]="90 475"    # "简转繁[普通]"
    [copy_all]="490 475"        # "复制全部"
    [clear_all]="590 475"       # "全部清空"
)
# The parts of the main window that a click changes, "WxH+X+Y".
declare -A part=(
    [page]="640x380+20+75"      # the open page, below the tabs
)
click_on() { click_in_main ${spot[$1]}; }
# The title bar's buttons, from the window's right edge.
title_button() { # title_button minimize|tray
    local g dx
    g=($(geometry "$main"))
    case $1 in minimize) dx=84 ;; tray) dx=52 ;; esac
    xdotool mousemove $((g[0] + g[2] - dx)) $((g[1] + 14)) click 1
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
        pointer_to $((gx + ($1 - g[0]) * step / 8)) $((gy + ($2 - g[1]) * step / 8))
    done
    xdotool mouseup 1
}
# Moves the pointer and waits until the X server has it there, one step of a drag.
pointer_to() { xdotool mousemove --sync "$1" "$2"; }

# Writes the settings of a user who has seen the first-run notices, plus any keys given
# as "key\\value=data" lines.
write_settings() {
    local marker line
    mkdir -p "$XDG_CONFIG_HOME/zelto"
    {
        echo '[Software]'
        for line in "$@"; do echo "$line"; done
        for marker in zeltorjqm zeltowllj zeltoqzone zeltokjts; do
            echo "$marker\\rjname=Zelto"
            echo "$marker\\banben=v 4.0.3"
            echo "$marker\\gxriqi=2008-02-23"
        done
    } >"$XDG_CONFIG_HOME/zelto/settings.ini"
}

# Starts an X server of its own with the given screen ("3840x2160x24") and openbox on it,
# for tests that need another screen than the suite's; sets DISPLAY to it. Xvfb takes a
# free display itself, as in run.sh.
start_own_x_server() {
    local displayfile=$E2E_SHOTS/own-display attempt
    : >"$displayfile"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$displayfile" >"$E2E_SHOTS/xvfb.log" 2>&1 &
    pids+=($!)
    wait_until 30 x_server_up_or_ended "$displayfile" "${pids[-1]}"
    [ -s "$displayfile" ] || fail "no X server of our own could be started: $(tail -3 "$E2E_SHOTS/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$displayfile")"
    # On a loaded machine openbox has now and then failed to open a display that answers:
    # it is started again.
    for attempt in 1 2 3; do
        openbox >"$E2E_SHOTS/openbox.log" 2>&1 &
        pids+=($!)
        wait_until 30 window_manager_or_ended "${pids[-1]}"
        has_window_manager && return 0
    done
    fail "openbox did not start on $DISPLAY: $(tail -3 "$E2E_SHOTS/openbox.log")"
}
window_manager_or_ended() { has_window_manager || ! kill -0 "$1" 2>/dev/null; }
x_server_up_or_ended() {
    ! kill -0 "$2" 2>/dev/null && return 0
    [ -s "$1" ] && xprop -display ":$(head -n 1 "$1")" -root >/dev/null 2>&1
}
has_window_manager() { [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *'window id'* ]]; }
