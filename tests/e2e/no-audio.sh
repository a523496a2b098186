#!/usr/bin/env bash
# With no sound server and no sound card the alarm still counts, flashes and brings the window
# back. Run with DESKTOP_SOUND=none: SDL looks for a driver itself and finds none.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
[ "$DESKTOP_SOUND" = none ] || fail "run with DESKTOP_SOUND=none"
# As at a login before the sound server runs: nothing may start one behind the test's back.
printf 'autospawn = no\n' >"$WORK/client.conf"
export PULSE_CLIENTCONFIG="$WORK/client.conf"
start_app "$1"
type_into Text2_2 3
arm
wait_for 5 icon_docked || fail "the icon did not dock"
import -window "$APP_WINDOW" -crop 90x20+346+293 "$WORK/passed-1.png"
click ImgHide
wait_for 3 window_hidden || fail "Hide did not hide"
wait_for 6 window_shown || fail "the ring did not bring the window back"
import -window "$APP_WINDOW" -crop 233x22+101+296 "$WORK/reminder-1.png"
import -window "$APP_WINDOW" -crop 90x20+346+293 "$WORK/passed-2.png"
# The reminder changes colour every half second: within 1.5 s it shows another face.
reminder_changed() {
  import -window "$APP_WINDOW" -crop 233x22+101+296 "$WORK/reminder-2.png"
  [ "$(compare -metric AE "$WORK/reminder-1.png" "$WORK/reminder-2.png" null: 2>&1)" != 0 ]
}
wait_for 2 reminder_changed || fail "the reminder did not flash"
screenshot fault-no-audio-ringing
[ "$(compare -metric AE "$WORK/passed-1.png" "$WORK/passed-2.png" null: 2>&1)" != 0 ] || fail "the passed seconds did not count"
kill -0 "$APP_PID" || fail "the program ended"
click Stopp
kill "$APP_PID"
echo "ok: silent, yet counting, flashing and back at the ring"
