#!/usr/bin/env bash
# The tray icon under a real X server with a notification area (trayer): the window goes
# to the tray from the title bar, the right button opens the tray menu on the press,
# "显示主界面" and a double-click bring the window back (normal and active, also after a
# minimize that the window manager undid, and still off the taskbar while "窗口置顶" is
# ticked), and the about notice and the exit question come up while the window is hidden.
#
# Run by tests/e2e/run.sh, which gives DISPLAY, E2E_RUN_DIR (a copy of the run folder,
# the working directory), E2E_SHOTS, XDG_CONFIG_HOME and XDG_RUNTIME_DIR. It also runs on
# its own: `tests/e2e/test_tray.sh [build-dir]` copies <build-dir>/run (default build/)
# into a scratch folder and, with no DISPLAY, starts Xvfb and openbox on
# ${ZELTO_E2E_DISPLAY:-:43}.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap end_started EXIT

if [ -z "${E2E_RUN_DIR:-}" ]; then
    repo=$(cd "$(dirname "$0")/../.." && pwd)
    build=${1:-$repo/build}
    scratch=$(mktemp -d /tmp/zelto-e2e-tray.XXXXXX)
    export E2E_RUN_DIR=$scratch/run E2E_SHOTS=$scratch/shots
    export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
    cp -r "$build/run" "$E2E_RUN_DIR"
    mkdir -p "$E2E_SHOTS" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    if [ -z "${DISPLAY:-}" ]; then
        export DISPLAY=${ZELTO_E2E_DISPLAY:-:43}
        Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
        pids+=($!)
        wait_until 5 xprop -root >/dev/null 2>&1 || fail "Xvfb did not start on $DISPLAY"
        openbox >"$scratch/openbox.log" 2>&1 &
        pids+=($!)
        wait_until 10 has_window_manager || fail "openbox did not start"
    fi
fi
work=$E2E_SHOTS

# A popup or dialog: visible, neither the main window nor the icon.
other_window() { program_windows | awk -v main="$main" '$1 != main && !($4 <= 48 && $5 <= 48) {print $1; exit}'; }
has_other_window() { [ -n "$(other_window)" ]; }
no_other_window() { [ -z "$(other_window)" ]; }
alive() { kill -0 "$zelto" 2>/dev/null; }
gone() { ! alive; }

click_at() { xdotool mousemove "$1" "$2" click 1; }
icon_centre() {
    local g
    g=($(geometry "$(tray_icon)"))
    echo $((g[0] + g[2] / 2)) $((g[1] + g[3] / 2))
}
# Right-presses the icon and leaves the menu open; prints the menu's window id.
open_tray_menu() {
    local c
    c=($(icon_centre))
    xdotool mousemove "${c[0]}" "${c[1]}" mousedown 3
    wait_until 5 has_other_window || { xdotool mouseup 3; return 1; }
    menu=$(other_window)
    [ -n "${1:-}" ] && shot "$1"
    xdotool mouseup 3
}
# Items of the tray menu, by their offset from the menu's top.
choose() { # choose show|about|exit
    local g dy
    g=($(geometry "$menu"))
    case $1 in show) dy=15 ;; about) dy=46 ;; exit) dy=72 ;; esac
    click_at $((g[0] + g[2] / 2)) $((g[1] + dy))
}

# --- a notification area --------------------------------------------------------------
# tests/e2e/run.sh starts one; on its own this test brings its own.
if ! have_tray; then
    trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 26 \
        --transparent false --SetDockType true >"$work/trayer.log" 2>&1 &
    pids+=($!)
fi
wait_until 10 have_tray || fail "trayer did not start"

# --- the program, with the first-run notices already seen and the exit question on ------
write_settings 'zelsigtcts\tcts=tcts'
(cd "$E2E_RUN_DIR" && exec ./zelto) >"$work/zelto.log" 2>&1 &
zelto=$!
pids+=($zelto)

wait_until 15 find_main || fail "the main window did not appear"
wait_until 5 faded_in "$main" || fail "the main window did not fade in: opacity $(opacity "$main")"
shot 1-normal
has_tray_icon && fail "an icon is in the tray at start-up"

# --- normal → in tray, by the title bar's tray button ----------------------------------
title_button tray
wait_until 5 unmapped "$main" || fail "the window is still shown after the tray button"
wait_until 5 has_tray_icon || fail "no icon in the tray"
shot 2-in-tray

# --- the right button opens the menu on the press ---------------------------------------
open_tray_menu 3-tray-menu || fail "the right press did not open the tray menu"
unmapped "$main" || fail "opening the tray menu showed the window"

# --- "显示主界面": shown, icon kept; the ordinary minimize then goes to the tray ---------
choose show
wait_until 5 viewable "$main" || fail "显示主界面 did not show the window"
has_tray_icon || fail "the icon went away after 显示主界面"
wait_until 5 faded_in "$main" || fail "the window did not fade in after 显示主界面"
shot 4-shown-from-tray
title_button minimize
wait_until 5 unmapped "$main" || fail "the minimize button did not go to the tray while the flag is set"
has_tray_icon || fail "no icon after the minimize"

# --- a double-click restores and removes the icon ---------------------------------------
c=($(icon_centre))
xdotool mousemove "${c[0]}" "${c[1]}" click --repeat 2 --delay 60 1
wait_until 5 viewable "$main" || fail "the double-click did not bring the window back"
wait_until 5 no_tray_icon || fail "the icon stayed after the double-click"
wait_until 5 faded_in "$main" || fail "the window did not fade in after the double-click"
shot 5-restored

# --- a minimize undone by the window manager (a taskbar click) and then the tray: both
# ways back from the tray give a normal, active window --------------------------------
minimize_and_restore() {
    title_button minimize
    wait_until 5 unmapped "$main" || fail "the minimize button did not minimize ($1)"
    xdotool windowactivate "$main" >/dev/null 2>&1 || true # _NET_ACTIVE_WINDOW
    wait_until 5 viewable "$main" || fail "the window manager did not restore the window ($1)"
    title_button tray
    wait_until 5 unmapped "$main" || fail "the window is still shown after the tray button ($1)"
    wait_until 5 has_tray_icon || fail "no icon in the tray ($1)"
}
shown_normal() {
    viewable "$main" && [[ $(xprop -id "$main" WM_STATE 2>/dev/null) == *'window state: Normal'* ]] &&
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ]
}
double_click_icon() {
    local c
    c=($(icon_centre))
    xdotool mousemove "${c[0]}" "${c[1]}" click --repeat 2 --delay 60 1
}
window_states() { xprop -id "$main" WM_STATE _NET_WM_STATE 2>&1 | tr '\n' ' '; }
minimize_and_restore 1
open_tray_menu || fail "no tray menu after a restored minimize"
choose show
wait_until 5 shown_normal || fail "显示主界面 after a restored minimize: $(window_states)"
double_click_icon
wait_until 5 no_tray_icon || fail "the icon stayed after the double-click (2)"
minimize_and_restore 2
double_click_icon
wait_until 5 shown_normal || fail "the double-click after a restored minimize: $(window_states)"
wait_until 5 no_tray_icon || fail "the icon stayed after the double-click (3)"
shot 5b-restored-after-minimize

# --- "窗口置顶": no taskbar entry, also after the window came back from the tray ---------
has_state() { [[ $(xprop -id "$main" _NET_WM_STATE 2>/dev/null) == *"$1"* ]]; }
on_top_off_taskbar() { has_state _NET_WM_STATE_ABOVE && has_state _NET_WM_STATE_SKIP_TASKBAR; }
click_on on_top
wait_until 5 on_top_off_taskbar || fail "窗口置顶 did not keep the window on top off the taskbar: $(window_states)"
title_button tray
wait_until 5 unmapped "$main" || fail "the window is still shown after the tray button (on top)"
open_tray_menu || fail "no tray menu (on top)"
choose show
# The native window may be a new one now.
wait_until 5 find_main || fail "显示主界面 did not show the window (on top)"
wait_until 5 on_top_off_taskbar || fail "back from the tray by 显示主界面 with a taskbar entry: $(window_states)"
title_button minimize
wait_until 5 unmapped "$main" || fail "the minimize button did not go to the tray (on top)"
double_click_icon
wait_until 5 find_main || fail "the double-click did not bring the window back (on top)"
wait_until 5 on_top_off_taskbar || fail "back from the tray by a double-click with a taskbar entry: $(window_states)"
click_on on_top
not_on_top() { ! has_state _NET_WM_STATE_ABOVE; }
wait_until 5 not_on_top || fail "窗口置顶 did not switch off"
wait_until 5 no_tray_icon || fail "the icon stayed after the double-click (on top)"

# --- "关于" from the tray: the notice comes, the window stays hidden -----------------------
title_button tray
wait_until 5 unmapped "$main" || fail "the window is still shown after the tray button (2)"
wait_until 5 has_tray_icon || fail "no icon in the tray (2)"
open_tray_menu || fail "no tray menu (2)"
choose about
wait_until 5 has_notice || fail "no about notice"
dialog=$(notice)
seconds=$(countdown "$dialog") || fail "the about notice has no countdown"
[ "$seconds" -eq 10 ] || [ "$seconds" -eq 9 ] || fail "the about notice does not count down from 10: $seconds"
unmapped "$main" || fail "the about notice showed the window"
shot 6-about-while-in-tray
xdotool windowactivate --sync "$dialog" key Return 2>/dev/null || xdotool key Return
wait_until 5 unmapped "$dialog" || fail "Enter did not close the about notice"

# --- "退出" asks while the window is hidden; No keeps everything, Yes ends ---------------
# The menu opens once the program has handled the notice's closing.
open_tray_menu || fail "no tray menu (3): $(alive && echo still running || echo the program ended when the notice closed)"
unmapped "$main" || fail "the window came back after the notice"
choose exit
wait_until 5 has_notice || fail "no exit question"
question=$(notice)
unmapped "$main" || fail "the exit question showed the window"
shot 7-exit-question
xdotool windowactivate --sync "$question" key Escape 2>/dev/null || xdotool key Escape
wait_until 5 unmapped "$question" || fail "Escape did not answer the exit question"
open_tray_menu || fail "no tray menu (4): $(alive && echo still running || echo the program ended although the question was answered No)"
has_tray_icon || fail "the icon went away after a refused exit"
choose exit
wait_until 5 has_notice || fail "no exit question (2)"
question=$(notice)
xdotool windowactivate --sync "$question" key Return 2>/dev/null || xdotool key Return
wait_until 10 gone || fail "the program did not end after Yes"
no_tray_icon || fail "the icon stayed after the program ended"

echo "PASS test_tray (screenshots in $E2E_SHOTS)"
