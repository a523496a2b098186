#!/usr/bin/env bash
# Leaving by each exit control and by the icon's menu: the process ends at once with status 0
# and leaves no icon in the tray.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
program=$1

for control in Exitz Label20 Picture1; do
  start_app "$program"
  click "$control"
  expect_exit "$control before arming"
  echo "ok: $control before arming"

  start_app "$program"
  arm
  wait_for icon_docked 5 || fail "the icon did not dock"
  click "$control"
  expect_exit "$control with an alarm armed"
  wait_for '! icon_docked' 3 || fail "$control left an icon in the tray"
  echo "ok: $control with an alarm armed, no icon left"
done

start_app "$program"
arm
wait_for icon_docked 5 || fail "the icon did not dock"
click ImgHide
wait_for '! mapped' 3 || fail "Hide did not hide the window"
# The menu may take a moment to come up on a busy machine: try the right click again if need be.
for attempt in 1 2 3; do
  click_icon 3
  sleep 0.7
  [ "$attempt" = 1 ] && screenshot exit-menu
  xdotool key Up Return
  wait_for '! kill -0 "$APP_PID"' 2 && break
  xdotool key Escape
done
expect_exit "Close the Alarm Program"
wait_for '! icon_docked' 3 || fail "the menu's exit left an icon in the tray"
echo "ok: Close the Alarm Program with the window hidden, no icon left"
