#!/usr/bin/env bash
# The default alarm from start to Stop, heard on the sound server: 10 seconds, the summary, the
# ring heard 10 s after Yes, and silence soon after Stop. Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
start_app "$1"
screenshot journey-default-1-start
click OK
wait_box
[[ "$BOX_TEXT" == *"Your selection is ..."* && "$BOX_TEXT" == *"Duration : 10 sec"* ]] || fail "summary: $BOX_TEXT"
[[ "$BOX_TEXT" == *"Alarm Tone : [5] Leonardo Vinci Restore"* ]] || fail "summary: $BOX_TEXT"
yes_at=$(now)
answer_box Return
wait_for 5 icon_docked || fail "the icon did not dock"
# Due ten real seconds after Yes, and heard within a tick (half a second) and the sound's way out.
due=$(plus "$yes_at" 10)
sleep_until "$(plus "$due" -0.3)"
# A loaded machine can wake this script late: only a sound before the due moment is early.
early=$(heard_first_after "$yes_at")
[ -n "$early" ] && ! between "$due" "$early" "$(plus "$due" 60)" && fail "it rang before its time, at $early (Yes at $yes_at)"
screenshot journey-default-2-counting
first=$(heard_first_after "$yes_at" 14)
[ -n "$first" ] || fail "the alarm was not heard on the sound server"
between "$due" "$first" "$(plus "$due" 1)" \
  || fail "first heard at $first; due at $due (Yes at $yes_at)"
echo "ok: armed, heard $(seconds_between "$yes_at" "$first") s after Yes"
sleep 1.2
screenshot journey-default-3-ringing
click Stopp
stopped_at=$(now)
sleep 2
last=$(heard_last)
between 0 "$last" "$(plus "$stopped_at" 0.5)" \
  || fail "sound went on $(seconds_between "$stopped_at" "$last") s after Stop"
screenshot journey-default-4-stopped
kill "$APP_PID"
echo "ok: silent within $(seconds_between "$stopped_at" "$last") s of Stop"
