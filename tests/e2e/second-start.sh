#!/usr/bin/env bash
# A second start while the program sits in the tray with an armed alarm (as a user looking for
# the hidden window would start it from the menu) shows the running program's window and ends
# at once with status 0: one process, one icon, the alarm still armed. A start right after the
# window was closed or the program left, while that program is still ending, is a program of its
# own: its window shows and it stays.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_app "$1"
type_into Text2_2 4
arm
wait_for 5 icon_docked || fail "the icon did not dock"
click_icon 1 2
wait_for 3 window_hidden || fail "the icon's double-click did not hide the window (WM_STATE $(wm_state))"
icons=$(tray_width)

"$1" >"$WORK/second.log" 2>&1 &
second=$!
for _ in $(seq 60); do kill -0 "$second" 2>/dev/null || break; sleep 0.05; done
kill -0 "$second" 2>/dev/null && fail "the second start is still running after 3 s"
status=0; wait "$second" || status=$?
[ "$status" = 0 ] || fail "the second start ended with status $status: $(cat "$WORK/second.log")"
wait_for 3 window_shown || fail "the second start did not show the first program's window (WM_STATE $(wm_state))"
wait_for 3 output_is "$APP_WINDOW" active_window || fail "shown by the second start, the window did not get the focus"
[ "$(tray_width)" = "$icons" ] || fail "the tray changed from $icons to $(tray_width) pixels: a second icon"
wait_for 6 heard || fail "the first program's alarm did not ring after the second start"
echo "ok: a second start showed the running program's window and ended with status 0"

click Stopp
click_tone 2
# The window manager's Close, as the frame's close button asks it.
xdotool windowactivate --sync "$APP_WINDOW" key alt+F4
closed=$APP_PID
start_app "$1"
on_screen "$APP_WINDOW" || fail "the start after the close mapped its window off the screen"
wait_for 3 not pid_running "$closed" || fail "closed by its frame, the first program did not end"
sleep 1
still_alive || fail "the start after the close left no program"
kill "$APP_PID"
echo "ok: a start while the closed program was ending showed its own window and stayed"

# Longer than a start waits for the running program's answer.
LINGER_SECONDS=3 start_app_lingering "$1"
click Exitz
ending_began || fail "Exit did not begin the program's end"
start_app "$1"
still_alive || fail "the start while the left program was ending did not stay"
kill "$APP_PID"
echo "ok: a start while the left program lingered was refused by it at once and showed its own window"
