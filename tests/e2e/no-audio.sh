#!/usr/bin/env bash
# With no sound device at all the alarm still counts, flashes and brings the window back.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
export SDL_AUDIODRIVER=no-such-driver
start_app "$1"
type_into Text2_2 3
arm
wait_for icon_docked 5 || fail "the icon did not dock"
import -window "$APP_WINDOW" -crop 90x20+346+293 "$WORK/passed-1.png"
click ImgHide
wait_for '! mapped' 3 || fail "Hide did not hide"
wait_for mapped 6 || fail "the ring did not bring the window back"
import -window "$APP_WINDOW" -crop 233x22+101+296 "$WORK/reminder-1.png"
import -window "$APP_WINDOW" -crop 90x20+346+293 "$WORK/passed-2.png"
sleep 0.55
import -window "$APP_WINDOW" -crop 233x22+101+296 "$WORK/reminder-2.png"
screenshot fault-no-audio-ringing
[ "$(compare -metric AE "$WORK/reminder-1.png" "$WORK/reminder-2.png" null: 2>&1)" != 0 ] || fail "the reminder did not flash"
[ "$(compare -metric AE "$WORK/passed-1.png" "$WORK/passed-2.png" null: 2>&1)" != 0 ] || fail "the passed seconds did not count"
[ -e "$AUDIO_OUT" ] && fail "sound went to the disk driver although none was chosen"
kill -0 "$APP_PID" || fail "the program ended"
click Stopp
kill "$APP_PID"
echo "ok: silent, yet counting, flashing and back at the ring"
