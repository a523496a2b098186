#!/usr/bin/env bash
# Leaving by each exit control and by the icon's menu: the program removes its icon, then ends
# at once with status 0. The end is made to linger, so the icon is seen gone while the process
# still lives: its death alone would clear the tray too.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
program=$1

icon_gone_before_the_end() { # what
  ending_began || fail "$1: the program did not begin to end"
  wait_for 1 not icon_docked || fail "$1: the icon was still in the tray as the program ended"
  still_alive || fail "$1: the process ended before the tray was looked at; the check proves nothing"
}

for control in Exitz Label20 Picture1; do
  start_app "$program"
  click "$control"
  expect_exit "$control before arming"
  echo "ok: $control before arming"

  start_app_lingering "$program"
  arm
  wait_for 5 icon_docked || fail "the icon did not dock"
  click "$control"
  icon_gone_before_the_end "$control"
  expect_exit "$control with an alarm armed"
  echo "ok: $control with an alarm armed, the icon removed before the end"
done

start_app_lingering "$program"
arm
wait_for 5 icon_docked || fail "the icon did not dock"
click ImgHide
wait_for 3 window_hidden || fail "Hide did not hide the window"
open_icon_menu
screenshot exit-menu
xdotool key Up Return
icon_gone_before_the_end "Close the Alarm Program"
expect_exit "Close the Alarm Program"
echo "ok: Close the Alarm Program with the window hidden, the icon removed before the end"
