#!/usr/bin/env bash
# Leaving the real program by each exit control and by the icon's menu: the process ends at
# once with status 0 and leaves no icon in the tray. Run inside with-desktop.sh.
set -euo pipefail
source "$(dirname "$0")/../window/lib.sh"
program=$1

tray_width() {
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --classname panel | head -n1)")"
  echo "$WIDTH"
}
empty_tray=$(tray_width)

click_in_window() { # x y [button]
  eval "$(xdotool getwindowgeometry --shell "$APP_WINDOW")"
  xdotool mousemove $((X + $1)) $((Y + $2)) click "${3:-1}"
}

expect_exit() { # what
  local status=0
  for _ in $(seq 60); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$APP_PID" 2>/dev/null && fail "$1: the program is still running"
  wait "$APP_PID" || status=$?
  [ "$status" = 0 ] || fail "$1: the program ended with status $status"
  wait_for '[ "$(tray_width)" -le "$empty_tray" ]' 3 || fail "$1: an icon was left in the tray"
  echo "ok: $1"
}

# Arms the default alarm: OK, then Yes in the summary box.
arm() {
  click_in_window 181 235
  wait_for 'xdotool search --onlyvisible --name "^Meridane Chimewell$"' 5 || fail "no summary box"
  box=$(xdotool search --onlyvisible --name "^Meridane Chimewell$" | head -n1)
  xdotool windowfocus --sync "$box" key Return
  wait_for '[ "$(tray_width)" -gt "$empty_tray" ]' 5 || fail "the icon did not dock"
}

# The three exit controls, each once before and once after arming.
for control in "Exitz 24 382" "Label20 20 13" "Picture1 17 411"; do
  set -- $control
  start_app "$program"
  click_in_window "$2" "$3"
  expect_exit "$1 before arming"

  start_app "$program"
  arm
  click_in_window "$2" "$3"
  expect_exit "$1 with an alarm armed"
done

# The icon's menu, with the window hidden.
start_app "$program"
arm
click_in_window 465 320   # ImgHide
wait_for 'xwininfo -id "$APP_WINDOW" | grep -q IsUnMapped' 3 || fail "Hide did not hide the window"
panel=$(xdotool search --classname panel | head -n1)
eval "$(xdotool getwindowgeometry --shell "$panel")"
xdotool mousemove $((X + WIDTH - 12)) $((Y + HEIGHT / 2)) click 3
sleep 0.5
screenshot exit-menu
xdotool key Up Return
expect_exit "Close the Alarm Program with the window hidden"
