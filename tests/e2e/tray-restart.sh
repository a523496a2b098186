#!/usr/bin/env bash
# The tray host killed and started again while an alarm is armed: the icon comes back and the
# alarm still rings.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_app "$1"
type_into Text2_2 8
arm
wait_for 5 icon_docked || fail "the icon did not dock"
stop_xembed_tray
wait_for 1 not icon_docked || fail "the icon outlived its tray"
start_xembed_tray
wait_for 8 icon_docked || fail "the icon did not come back to the restarted tray"
screenshot fault-tray-restarted
wait_for 10 heard || fail "the alarm did not ring"
click Stopp
kill "$APP_PID"
echo "ok: icon back after the tray restarted; the alarm rang"
