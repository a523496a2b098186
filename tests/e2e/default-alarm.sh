#!/usr/bin/env bash
# The default alarm from start to Stop: 10 seconds, the summary, the ring, the stop.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_app "$1"
screenshot journey-default-1-start
click OK
wait_box
[[ "$BOX_TEXT" == *"Your selection is ..."* && "$BOX_TEXT" == *"Duration : 10 sec"* ]] || fail "summary: $BOX_TEXT"
[[ "$BOX_TEXT" == *"Alarm Tone : [5] Leonardo Vinci Restore"* ]] || fail "summary: $BOX_TEXT"
answer_box Return
wait_for icon_docked 5 || fail "the icon did not dock"
sleep 5
heard && fail "it rang before its time"
screenshot journey-default-2-counting
wait_for heard 8 || fail "the alarm did not ring"
sleep 1.2
screenshot journey-default-3-ringing
click Stopp
sleep 0.6
before=$(stat -c %s "$AUDIO_OUT")
loud_before=$(loudest)
sleep 1.5
# After Stop the output only grows by silence: the loudest sample stays what it was.
[ "$(loudest)" = "$loud_before" ] || fail "the tone went on after Stop"
screenshot journey-default-4-stopped
kill "$APP_PID"
echo "ok: armed, rang after 10 s, stopped"
