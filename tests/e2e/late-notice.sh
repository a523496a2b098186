#!/usr/bin/env bash
# A notification daemon that answers the ring's notification only after the ring was stopped,
# and after the 25 s a bus call is usually given: the notification it then shows is closed at
# once, not left on screen with a Stop that does nothing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
start_app "$1"
daemon=$(part_pid notification-daemon)
trap 'kill -CONT "$daemon" 2>/dev/null || true' EXIT
type_into Text2_2 2
kill -STOP "$daemon"
arm
[ -n "$(heard_first_after "$ARMED_AT" 5)" ] || fail "the alarm was not heard"
click Stopp
sleep 27
kill -CONT "$daemon"
sleep 1
wait_for 3 output_is 0 notifications_displayed \
  || fail "the daemon answered late and its notification stayed: $(notifications_displayed) shown"
kill "$APP_PID"
echo "ok: a notification answered after its ring had ended was closed"
