#!/usr/bin/env bash
# Ended by a signal while it rings, as a logout ends it (SIGTERM) or a closed terminal (SIGHUP):
# within 2 s the notification is withdrawn, the icon gone and the program ended with status 0.
# A critical notification would otherwise stay on screen, offering to stop a ring that is over.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

all_withdrawn_and_ended() { [ "$(notifications_displayed)" = 0 ] && ! icon_docked && ! still_alive; }
for signal in TERM HUP; do
  start_app "$1"
  type_into Text2_2 2
  arm
  wait_for 5 icon_docked || fail "the icon did not dock"
  wait_for 5 output_is 1 notifications_displayed || fail "no notification at the ring"
  kill -s "$signal" "$APP_PID"
  wait_for 2 all_withdrawn_and_ended \
    || fail "SIG$signal during the ring, 2 s later: $(notifications_displayed) notifications shown," \
      "the icon $(icon_docked && echo docked || echo gone), the program $(still_alive && echo running || echo ended)"
  expect_exit "SIG$signal during the ring" 1
  echo "ok: SIG$signal during the ring withdrew the notification, removed the icon and ended with status 0"
done
